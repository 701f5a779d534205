// The puzzle's adapter: what the shell asks of it, carried out over PuzzleState.
#include "puzzle/puzzle_exercise.h"

#include "puzzle/tile_groups.h"
#include "shell/status_line.h"

namespace tavori {

Outcome PuzzleExercise::pointerDown(Context& context, int x, int y) {
    // A drag keeps the mouse, so its release is seen even outside the window.
    puzzle_.buttonDown = true;
    grabTile(puzzle_, context, x, y);
    return Outcome::CaptureMouse;
}

Outcome PuzzleExercise::pointerUp(Context& context, int x, int y) {
    if (puzzle_.tileGrabbed) {
        dropTile(puzzle_, context, x, y);
    }
    puzzle_.buttonDown = false;
    return Outcome::ReleaseMouse;
}

// Every choice of the item sets up a new puzzle at the step after.
void PuzzleExercise::select(CommandMeaning /*meaning*/) {
    puzzle_.puzzlePhase = PuzzlePhase::SetUpDue;
    puzzle_.stepsSinceScatter = 0;
}

std::string PuzzleExercise::statusLine() const {
    if (puzzle_.puzzlePhase == PuzzlePhase::SetUpDue) {
        return {};
    }
    // Ten steps a second.
    const std::int64_t seconds = puzzle_.stepsSinceScatter / 10;
    return std::to_string(seconds) + " 秒" + std::string(kStatusGap) + "つながったタイル " +
           std::to_string(joinedTileCount(puzzle_.tiles)) + "/" + std::to_string(kTileColumns * kTileRows);
}

void PuzzleExercise::beginSession() { atSessionStart_ = Counters{puzzle_.puzzlesSolved, puzzle_.solvingTicks}; }

bool PuzzleExercise::sessionFigures(SessionRecord& record) const {
    record.exercise = RecordedExercise::Puzzle;
    record.puzzlesSolved = puzzle_.puzzlesSolved - atSessionStart_.puzzles;
    // Ticks are tenths of a second.
    const std::int64_t milliseconds = (puzzle_.solvingTicks - atSessionStart_.ticks) * 100;
    record.meanPuzzleMilliseconds = record.puzzlesSolved > 0 ? milliseconds / record.puzzlesSolved : 0;
    // Tiles on the screen for a step or more were shown.
    return record.puzzlesSolved > 0 || (puzzle_.puzzlePhase == PuzzlePhase::Playing && puzzle_.stepsSinceScatter > 0);
}

}  // namespace tavori
