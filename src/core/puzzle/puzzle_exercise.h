// The tile puzzle behind the shell's exercise interface: the drag, the puzzle item, the joined
// tiles on the status line and the puzzles put back in the record. No key moves a tile.
#pragma once

#include "puzzle/puzzle.h"
#include "shell/exercise.h"

namespace tavori {

class PuzzleExercise final : public Exercise {
public:
    static constexpr Mode kMode = Mode::Puzzle;

    PuzzleState& state() { return puzzle_; }
    const PuzzleState& state() const { return puzzle_; }

    Mode mode() const override { return kMode; }
    void step(Context& context) override { stepPuzzle(puzzle_, context); }
    bool stateRepeatsSteps(const ShellState& /*shell*/) const override { return puzzleStepRepeats(puzzle_); }
    void passSteps(std::int64_t count) override { passPuzzleSteps(puzzle_, count); }
    Outcome pointerDown(Context& context, int x, int y) override;
    bool holdsPointer() const override { return puzzle_.buttonDown; }
    void pointerMove(Context& context, int x, int y) override { dragTile(puzzle_, context, x, y); }
    bool releaseDraws() const override { return puzzle_.tileGrabbed; }
    Outcome pointerUp(Context& context, int x, int y) override;

    bool selectedBy(CommandAction action) const override { return action == CommandAction::EnterPuzzle; }
    void select(CommandMeaning meaning) override;

    std::string statusLine() const override;
    void beginSession() override;
    bool sessionFigures(SessionRecord& record) const override;

private:
    PuzzleState puzzle_;
    struct Counters {
        std::int64_t puzzles = 0, ticks = 0;
    };
    Counters atSessionStart_;
};

}  // namespace tavori
