// Marking targets by click, and the click that moves the maze's cycle on.
#include <optional>

#include "maze/maze.h"
#include "maze/maze_drawing.h"

namespace tavori {

namespace {

// At most this many targets are marked at once: the number on the route.
constexpr std::int32_t kMaxMarks = 3;

struct HitCell {
    int x;
    int y;
};

// The target cell whose square holds the point strictly inside, if any.
std::optional<HitCell> findTargetAt(const MazeState& maze, const MazeGeometry& geometry, int x, int y) {
    for (int cellX = 1; cellX <= maze.mazeWidth - 1; ++cellX) {
        for (int cellY = 1; cellY <= maze.mazeHeight - 1; ++cellY) {
            if (geometry.insideCell(cellX, cellY, x, y) && maze.trailGrid(cellX, cellY).flag == 1) {
                return HitCell{cellX, cellY};
            }
        }
    }
    return std::nullopt;
}

enum class ClickOutcome { NoChange, NewMark, RemovedMark };

void moveCycleOn(MazeState& maze, Context& context) {
    // Clicks reach the maze only in its mode, so this is the step the shell's stepMode runs.
    maze.mazeStepPending = true;
    stepMaze(maze, context);
}

}  // namespace

void countMarks(MazeState& maze) {
    maze.markCount = 0;
    if (!mazeSizeUsable(maze)) {
        return;
    }
    for (int x = 1; x <= maze.mazeWidth - 1; ++x) {
        for (int y = 1; y <= maze.mazeHeight - 1; ++y) {
            maze.markCount += maze.openGrid(x, y).flag == 1 ? 1 : 0;
        }
    }
}

bool isSolved(const MazeState& maze) {
    if (!mazeSizeUsable(maze)) {
        return false;
    }
    int markedOnRoute = 0;
    for (int x = 1; x <= maze.mazeWidth - 1; ++x) {
        for (int y = 1; y <= maze.mazeHeight - 1; ++y) {
            markedOnRoute += maze.openGrid(x, y).flag == 1 && maze.pathGrid(x, y).flag == 1 ? 1 : 0;
        }
    }
    return markedOnRoute == 3;
}

void mazeClick(MazeState& maze, Context& context, int x, int y) {
    if (!mazeSizeUsable(maze)) {
        return;
    }
    const MazeGeometry geometry =
        mazeGeometry(maze, context.shell.clientWidth, context.shell.clientHeight);
    const bool insideMaze = geometry.insideMazeRectangle(maze, x, y);
    countMarks(maze);
    // Solved means the route is on screen: a click inside the maze asks for the next one. The
    // snapshot of markCount is kept, so this click marks nothing in the new maze.
    if (isSolved(maze) && insideMaze) {
        moveCycleOn(maze, context);
    }

    const std::optional<HitCell> hit = findTargetAt(maze, geometry, x, y);
    ClickOutcome outcome = ClickOutcome::NoChange;
    if (hit) {
        CellBit& mark = maze.openGrid(hit->x, hit->y).flag;
        if (mark == 1) {
            mark = 0;
            outcome = ClickOutcome::RemovedMark;
        } else if (maze.markCount < kMaxMarks) {
            mark = 1;
            outcome = ClickOutcome::NewMark;
        }
    }

    Canvas& canvas = context.platform.windowCanvas();
    if (isSolved(maze)) {
        // The last mark shows before the route (or the next maze) is drawn.
        if (hit) {
            fillTargetSquare(canvas, geometry, hit->x, hit->y, kMarkedTargetColour);
        }
        moveCycleOn(maze, context);
        return;
    }
    switch (outcome) {
        case ClickOutcome::NewMark:
            fillTargetSquare(canvas, geometry, hit->x, hit->y, kMarkedTargetColour);
            return;
        case ClickOutcome::RemovedMark:
            fillTargetSquare(canvas, geometry, hit->x, hit->y, kTargetColour);
            return;
        case ClickOutcome::NoChange:
            if (!insideMaze) {
                moveCycleOn(maze, context);
            }
            return;
    }
}

}  // namespace tavori
