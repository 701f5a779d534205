// The maze behind the shell's exercise interface: clicks, the size items, the repaint, the
// next-maze key and the mazes solved on the status line and in the record.
#pragma once

#include "maze/maze.h"
#include "shell/exercise.h"

namespace tavori {

class MazeExercise final : public Exercise {
public:
    static constexpr Mode kMode = Mode::Maze;

    MazeState& state() { return maze_; }
    const MazeState& state() const { return maze_; }

    Mode mode() const override { return kMode; }
    void step(Context& context) override { stepMaze(maze_, context); }
    bool stateRepeatsSteps(const ShellState& /*shell*/) const override { return false; }
    // The maze steps only when a command or a click asks, and runs that step at once.
    bool waitsForInput() const override { return !maze_.mazeStepPending; }
    Outcome pointerDown(Context& context, int x, int y) override;
    void repaint(Context& context) override;

    std::span<const KeyBinding> keys() const override;
    bool selectedBy(CommandAction action) const override { return action == CommandAction::SetMazeSize; }
    void select(CommandMeaning meaning) override;
    bool ownsCommand(CommandAction action) const override { return action == CommandAction::NextMaze; }
    // Once the route is drawn a click anywhere brings a new maze, not the key.
    bool commandAvailable(CommandMeaning /*meaning*/) const override { return !maze_.mazeSolutionNext; }
    bool runCommand(CommandMeaning meaning, Context& context) override;
    std::optional<bool> commandChecked(CommandMeaning meaning) const override;

    std::string statusLine() const override;
    void beginSession() override;
    bool sessionFigures(SessionRecord& record) const override;
    void recordSettings(SessionRecord& record) const override { record.mazeSize = maze_.mazeWidth - 1; }

    void restoreSettings(const StoredSettings& kept, Platform& platform) override;
    void keepSettings(StoredSettings& now) const override;

private:
    MazeState maze_;
    // No maze size shows as chosen until one is.
    bool sizeChosen_ = false;
    struct Counters {
        std::int64_t mazes = 0, milliseconds = 0;
    };
    Counters atSessionStart_;
};

}  // namespace tavori
