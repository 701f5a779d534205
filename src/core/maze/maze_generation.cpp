// Carving a perfect maze: hunt-and-kill, with the hunt done by random probing.
#include "maze/maze_generation.h"

namespace tavori {

namespace {

bool hasUnvisitedNeighbour(const MazeState& maze, int x, int y) {
    return isUnjoined(maze, x + 1, y) || isUnjoined(maze, x, y + 1) ||
           isUnjoined(maze, x - 1, y) || isUnjoined(maze, x, y - 1);
}

}  // namespace

void resetMaze(MazeState& maze) {
    maze.wallGrid.fill(CellSides{1, 1, 1, 1, 1});
    for (int x = 0; x <= maze.mazeWidth - 1; ++x) {
        maze.wallGrid(x, 0).flag = 0;
        maze.wallGrid(x, maze.mazeHeight).flag = 0;
    }
    for (int y = 0; y <= maze.mazeHeight - 1; ++y) {
        maze.wallGrid(0, y).flag = 0;
        maze.wallGrid(maze.mazeWidth, y).flag = 0;
    }
    // The far corner (mazeWidth, mazeHeight) keeps flag 1: no maze cell lies beside it.
}

std::int32_t carveWalk(MazeState& maze, RandomGenerator& random, std::int32_t x, std::int32_t y) {
    if (!isMazeCell(maze, x, y)) {
        return 0;
    }
    MazeGrid& walls = maze.wallGrid;
    std::int32_t joined = 0;
    // The stop test follows every draw, the first included: a walk from a cell that has no
    // unvisited neighbour still spends one draw.
    do {
        const int direction = random.below(4);
        Side side = Side::Up;
        bool allowed = false;
        switch (direction) {
            case 0:
                side = Side::Right;
                allowed = x < maze.mazeWidth - 1;
                break;
            case 1:
                side = Side::Down;
                allowed = y < maze.mazeHeight - 1;
                break;
            case 2:
                side = Side::Left;
                allowed = x > 1;
                break;
            default:
                side = Side::Up;
                allowed = y > 1;
                break;
        }
        const int nextX = x + stepXOf(side);
        const int nextY = y + stepYOf(side);
        if (allowed && isUnjoined(maze, nextX, nextY)) {
            sideOf(walls(x, y), side) = 0;
            sideOf(walls(nextX, nextY), oppositeOf(side)) = 0;
            x = nextX;
            y = nextY;
            walls(x, y).flag = 0;
            ++joined;
        }
    } while (hasUnvisitedNeighbour(maze, x, y));
    return joined;
}

void generateMaze(MazeState& maze, RandomGenerator& random) {
    MazeGrid& walls = maze.wallGrid;
    const int width = maze.mazeWidth;
    const int height = maze.mazeHeight;

    const int entranceRow = 1 + random.below(height - 1);
    walls(1, entranceRow).flag = 0;
    walls(1, entranceRow).left = 0;
    const int exitRow = 1 + random.below(height - 1);
    walls(width - 1, exitRow).right = 0;  // its flag is left for a walk to clear

    // Counting the cells the walks join stands in for a scan of the grid after every probe.
    std::int32_t unvisited = 0;
    forEachMazeCell(maze, [&](int x, int y) { unvisited += isUnjoined(maze, x, y) ? 1 : 0; });
    unvisited -= carveWalk(maze, random, 1, entranceRow);
    // The hunt probes at least once, even when the first walk has joined every cell.
    do {
        const int x = 1 + random.below(width - 1);
        const int y = 1 + random.below(height - 1);
        if (!isUnjoined(maze, x, y)) {
            unvisited -= carveWalk(maze, random, x, y);
        }
    } while (unvisited > 0);
}

}  // namespace tavori
