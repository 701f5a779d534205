// The puzzle's step: the set-up of a new puzzle, then a redraw of the tiles at every tick.
#include <cstdint>

#include "common/saturating_count.h"
#include "gfx/primitives.h"
#include "puzzle/puzzle.h"
#include "puzzle/puzzle_text.h"
#include "puzzle/tile_drawing.h"
#include "puzzle/tile_scatter.h"

namespace tavori {

namespace {

// The sentence fills the bitmap's top 500 × 300 pixels, white on blue.
constexpr int kPictureWidth = kTileColumns * kTileSize;
constexpr int kPictureHeight = kTileRows * kTileSize;

void setUpPuzzle(PuzzleState& puzzle, Context& context) {
    readPuzzleFile(puzzle, context.platform);
    choosePuzzleLine(puzzle, context.random);
    // The bitmap is not cleared: beyond the line's cells it keeps the previous picture.
    drawTextBox(context.workBitmap, puzzle.puzzleLine, 0, 0, kPictureWidth, kPictureHeight,
                kWhite, kBlue);
    scatterTiles(puzzle.tiles, context.random, context.shell.clientWidth, context.shell.clientHeight);
    // Nothing is drawn now; the tiles appear at the next step.
    puzzle.puzzlePhase = PuzzlePhase::Playing;
    puzzle.stepsSinceScatter = 0;
    puzzle.solvedCounted = false;
}

}  // namespace

void stepPuzzle(PuzzleState& puzzle, Context& context) {
    if (puzzle.puzzlePhase == PuzzlePhase::SetUpDue) {
        setUpPuzzle(puzzle, context);
        return;
    }
    drawTiles(context.window, context.workBitmap, puzzle.tiles);
    passPuzzleSteps(puzzle, 1);
}

bool puzzleStepRepeats(const PuzzleState& puzzle) { return puzzle.puzzlePhase == PuzzlePhase::Playing; }

void passPuzzleSteps(PuzzleState& puzzle, std::int64_t count) {
    // The steps since set-up time the solving; the count stops short of overflowing.
    puzzle.stepsSinceScatter = addSteps(puzzle.stepsSinceScatter, count);
}

}  // namespace tavori
