// The maze's adapter: what the shell asks of it, carried out over MazeState.
#include "maze/maze_exercise.h"

#include "common/input_bounds.h"
#include "shell/status_line.h"

namespace tavori {

namespace {

constexpr KeyBinding kKeys[] = {{Key::Space, CommandId::NextMaze}, {Key::Return, CommandId::NextMaze}};

}  // namespace

Outcome MazeExercise::pointerDown(Context& context, int x, int y) {
    mazeClick(maze_, context, x, y);
    return Outcome::None;
}

void MazeExercise::repaint(Context& context) {
    repaintMaze(maze_, context, heldClientSize(context.platform.clientSize()));
}

std::span<const KeyBinding> MazeExercise::keys() const { return kKeys; }

void MazeExercise::select(CommandMeaning meaning) {
    maze_.mazeWidth = meaning.value;
    maze_.mazeHeight = meaning.value;
    maze_.mazeStepPending = true;
    maze_.mazeSolutionNext = false;
    sizeChosen_ = true;
}

bool MazeExercise::runCommand(CommandMeaning /*meaning*/, Context& context) {
    mazeClick(maze_, context, -1, -1);
    return false;
}

std::optional<bool> MazeExercise::commandChecked(CommandMeaning meaning) const {
    if (meaning.action != CommandAction::SetMazeSize) {
        return std::nullopt;
    }
    return sizeChosen_ && meaning.value == maze_.mazeWidth;
}

std::string MazeExercise::statusLine() const {
    const std::string gap(kStatusGap);
    std::string line = maze_.solvedInMilliseconds >= 0 ? "この迷路 " + statusTenths(maze_.solvedInMilliseconds / 100) + " 秒"
                                                       : std::string("目標を探しています");
    line += gap + "解いた迷路 " + std::to_string(maze_.mazesSolved);
    if (maze_.mazesSolved > 0) {
        line += gap + "平均 " + statusTenths(maze_.solvingMilliseconds / maze_.mazesSolved / 100) + " 秒";
    }
    return line;
}

void MazeExercise::beginSession() { atSessionStart_ = Counters{maze_.mazesSolved, maze_.solvingMilliseconds}; }

bool MazeExercise::sessionFigures(SessionRecord& record) const {
    record.exercise = RecordedExercise::Maze;
    record.mazesSolved = maze_.mazesSolved - atSessionStart_.mazes;
    const std::int64_t milliseconds = maze_.solvingMilliseconds - atSessionStart_.milliseconds;
    record.meanMazeMilliseconds = record.mazesSolved > 0 ? milliseconds / record.mazesSolved : 0;
    return record.mazesSolved > 0;
}

void MazeExercise::restoreSettings(const StoredSettings& kept, Platform& /*platform*/) {
    if (kept.mazeSize) {
        maze_.mazeWidth = maze_.mazeHeight = *kept.mazeSize;
        sizeChosen_ = true;
    }
}

void MazeExercise::keepSettings(StoredSettings& now) const {
    if (sizeChosen_) {
        now.mazeSize = maze_.mazeWidth;
    }
}

}  // namespace tavori
