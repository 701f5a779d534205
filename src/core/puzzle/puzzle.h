// The puzzle: a sentence painted into fifteen tiles, scattered, dragged and snapped together.
#pragma once

#include <cstdint>

#include "common/context.h"

namespace tavori {

struct PuzzleState {
    std::int32_t puzzleState = 0;  // 0: set-up due at the next step
    bool buttonDown = false;       // the left button is held in the puzzle mode
    bool tileGrabbed = false;      // a press took a tile
};

// Set-up while puzzleState is 0, afterwards a redraw of all tiles.
void stepPuzzle(PuzzleState& puzzle, Context& context);
void grabTile(PuzzleState& puzzle, Context& context, int x, int y);
void dragTile(PuzzleState& puzzle, Context& context, int x, int y);
void dropTile(PuzzleState& puzzle, Context& context, int x, int y);

}  // namespace tavori
