// The route through a carved maze (right-hand wall follower, then extraction from its trail)
// and the random choice of targets.
#include "maze/maze_solver.h"

#include <array>

namespace tavori {

namespace {

struct Cell {
    int x;
    int y;
    friend bool operator==(const Cell&, const Cell&) = default;
};

constexpr Cell neighbourOf(Cell cell, Side side) {
    return {cell.x + stepXOf(side), cell.y + stepYOf(side)};
}

// The sides a right-hand follower tries, by its heading: turn right, straight on, turn left,
// back. Rows are indexed by the heading as a Side (Up, Down, Left, Right).
constexpr std::array<std::array<Side, 4>, 4> kFollowOrder{{
    {Side::Right, Side::Up, Side::Left, Side::Down},    // heading up
    {Side::Left, Side::Down, Side::Right, Side::Up},    // heading down
    {Side::Up, Side::Left, Side::Down, Side::Right},    // heading left
    {Side::Down, Side::Right, Side::Up, Side::Left},    // heading right
}};

constexpr std::array<Side, 4> kExtractionOrder{Side::Down, Side::Up, Side::Left, Side::Right};
constexpr std::array<Side, 4> kAllSides{Side::Up, Side::Down, Side::Left, Side::Right};

int mazeCellCount(const MazeState& maze) { return (maze.mazeWidth - 1) * (maze.mazeHeight - 1); }

void deriveOpenSides(MazeState& maze) {
    forEachMazeCell(maze, [&maze](int x, int y) {
        maze.openGrid(x, y) = CellSides{};
        maze.trailGrid(x, y) = CellSides{};
        maze.pathGrid(x, y) = CellSides{};
        const CellSides& walls = maze.wallGrid(x, y);
        CellSides& open = maze.openGrid(x, y);
        for (const Side side : kAllSides) {
            sideOf(open, side) = sideOf(walls, side) == 0 ? 1 : 0;
        }
    });
}

// The smallest row whose cell in `column` is open on `side`; 0 when there is none.
int findOpenRow(const MazeState& maze, int column, Side side) {
    for (int y = 1; y <= maze.mazeHeight - 1; ++y) {
        if (sideOf(maze.openGrid(column, y), side) == 1) {
            return y;
        }
    }
    return 0;
}

// Walks with the right hand on the wall from the entrance until the exit cell, marking in
// trailGrid every side it leaves a cell through. In a tree each passage is crossed at most
// twice, which bounds the walk; false if the walls do not allow it to finish.
bool followRightHandWall(MazeState& maze, Cell entrance, Cell exit) {
    const int moveLimit = 2 * mazeCellCount(maze) + 2;
    Cell current = entrance;
    Side heading = Side::Right;
    for (int moves = 0; moves < moveLimit; ++moves) {
        const CellSides& open = maze.openGrid(current.x, current.y);
        bool moved = false;
        for (const Side side : kFollowOrder[static_cast<std::size_t>(heading)]) {
            if (sideOf(open, side) != 1) {
                continue;
            }
            const Cell next = neighbourOf(current, side);
            if (!isMazeCell(maze, next.x, next.y)) {
                return false;  // only the entrance leads out, and a follower never comes back to it
            }
            sideOf(maze.trailGrid(current.x, current.y), side) = 1;
            current = next;
            heading = side;
            moved = true;
            break;
        }
        if (!moved) {
            return false;
        }
        if (current == exit) {
            maze.trailGrid(exit.x, exit.y).right = 1;
            return true;
        }
    }
    return false;
}

// Keeps from the follower's trail the sides crossed once: they are exactly the route's. A side
// into a dead end was crossed in and out, so its far copy is set too.
bool extractRoute(MazeState& maze, Cell entrance, Cell exit) {
    const int stepLimit = mazeCellCount(maze);
    Cell current = entrance;
    for (int steps = 0; current != exit; ++steps) {
        if (steps >= stepLimit) {
            return false;
        }
        bool moved = false;
        for (const Side side : kExtractionOrder) {
            const Cell next = neighbourOf(current, side);
            if (sideOf(maze.trailGrid(current.x, current.y), side) != 1 ||
                !isMazeCell(maze, next.x, next.y)) {
                continue;
            }
            const CellSides& nextTrail = maze.trailGrid(next.x, next.y);
            const Side back = oppositeOf(side);
            if (sideOf(nextTrail, back) != 0) {
                continue;
            }
            bool leftByAnotherSide = false;
            for (const Side other : kAllSides) {
                leftByAnotherSide = leftByAnotherSide || (other != back && sideOf(nextTrail, other) == 1);
            }
            if (!leftByAnotherSide) {
                continue;
            }
            sideOf(maze.pathGrid(current.x, current.y), side) = 1;
            sideOf(maze.pathGrid(next.x, next.y), back) = 1;
            current = next;
            moved = true;
            break;
        }
        if (!moved) {
            return false;
        }
    }
    maze.pathGrid(entrance.x, entrance.y).left = 1;
    maze.pathGrid(exit.x, exit.y).right = 1;
    forEachMazeCell(maze, [&maze](int x, int y) {
        CellSides& path = maze.pathGrid(x, y);
        path.flag = (path.up | path.down | path.left | path.right) != 0 ? 1 : 0;
    });
    return true;
}

bool holdsTarget(const MazeState& maze, int x, int y) {
    return isMazeCell(maze, x, y) && isTarget(maze, x, y);
}

// A cell that may take a target: neither it nor a maze cell beside it holds one. Frame cells
// are not looked at: what a larger maze left there is no target of this one.
bool canHoldTarget(const MazeState& maze, int x, int y) {
    return !holdsTarget(maze, x, y) && !holdsTarget(maze, x + 1, y) &&
           !holdsTarget(maze, x, y + 1) && !holdsTarget(maze, x - 1, y) &&
           !holdsTarget(maze, x, y - 1);
}

// One attempt: mazeWidth targets, each drawn (x, then y) again and again until it lands on a
// cell that may take it. Returns the number of targets on the route, or -1 when the cells ran
// out first (a small maze can fill up; drawing on would never end).
int placeTargets(MazeState& maze, RandomGenerator& random) {
    forEachMazeCell(maze, [&maze](int x, int y) { maze.trailGrid(x, y).flag = 0; });
    int freeCells = mazeCellCount(maze);
    for (int target = 0; target < maze.mazeWidth; ++target) {
        if (freeCells == 0) {
            return -1;
        }
        int x = 0;
        int y = 0;
        do {
            x = 1 + random.below(maze.mazeWidth - 1);
            y = 1 + random.below(maze.mazeHeight - 1);
        } while (!canHoldTarget(maze, x, y));
        for (const Cell cell : {Cell{x, y}, Cell{x + 1, y}, Cell{x, y + 1}, Cell{x - 1, y}, Cell{x, y - 1}}) {
            if (isMazeCell(maze, cell.x, cell.y) && canHoldTarget(maze, cell.x, cell.y)) {
                --freeCells;
            }
        }
        maze.trailGrid(x, y).flag = 1;
    }
    int onRoute = 0;
    forEachMazeCell(maze, [&maze, &onRoute](int x, int y) {
        onRoute += isTarget(maze, x, y) && isOnRoute(maze, x, y) ? 1 : 0;
    });
    return onRoute;
}

}  // namespace

void solveAndPlaceTargets(MazeState& maze, RandomGenerator& random) {
    maze.mazeAccepted = false;
    maze.targetAttempts = 0;
    deriveOpenSides(maze);
    const Cell entrance{1, findOpenRow(maze, 1, Side::Left)};
    const Cell exit{maze.mazeWidth - 1, findOpenRow(maze, maze.mazeWidth - 1, Side::Right)};
    if (entrance.y == 0 || exit.y == 0 || !followRightHandWall(maze, entrance, exit) ||
        !extractRoute(maze, entrance, exit)) {
        return;
    }
    while (maze.targetAttempts < kMaxTargetAttempts) {
        ++maze.targetAttempts;
        if (placeTargets(maze, random) == 3) {
            maze.mazeAccepted = true;
            return;
        }
    }
}

}  // namespace tavori
