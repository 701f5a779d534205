// Marking targets by click, and the click that moves the maze's cycle on.
#include <algorithm>
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

// The target cell whose square holds the point strictly inside, if any (squares do not
// overlap, so there is at most one).
std::optional<HitCell> findTargetAt(const MazeState& maze, const MazeGeometry& geometry, int x, int y) {
    std::optional<HitCell> hit;
    forEachMazeCell(maze, [&](int cellX, int cellY) {
        if (geometry.insideCell(cellX, cellY, x, y) && isTarget(maze, cellX, cellY)) {
            hit = HitCell{cellX, cellY};
        }
    });
    return hit;
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
    forEachMazeCell(maze, [&maze](int x, int y) { maze.markCount += isMarked(maze, x, y) ? 1 : 0; });
}

bool isSolved(const MazeState& maze) {
    int markedOnRoute = 0;
    forEachMazeCell(maze, [&](int x, int y) { markedOnRoute += isMarked(maze, x, y) && isOnRoute(maze, x, y) ? 1 : 0; });
    return markedOnRoute == 3;
}

void mazeClick(MazeState& maze, Context& context, int x, int y) {
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

    Canvas& canvas = context.window;
    if (isSolved(maze)) {
        // The third right mark: the maze's time, once.
        if (maze.solvedInMilliseconds < 0 && maze.drawnAtMilliseconds >= 0) {
            maze.solvedInMilliseconds = std::max<std::int64_t>(context.platform.steadyMilliseconds() - maze.drawnAtMilliseconds, 0);
            ++maze.mazesSolved;
            maze.solvingMilliseconds += maze.solvedInMilliseconds;
        }
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
