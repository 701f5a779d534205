// Helpers shared by the maze tests: a maze on a fake window, its cells by kind, pixel snapshots.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "common/context.h"
#include "maze/maze.h"
#include "maze/maze_drawing.h"
#include "support/fake_platform.h"

namespace tavori::testing {

struct CellIndex {
    int x;
    int y;
    friend bool operator==(const CellIndex&, const CellIndex&) = default;
};

// The maze cells for which `wanted` holds, x outer, y inner.
inline std::vector<CellIndex> mazeCellsWhere(const MazeState& maze,
                                             const std::function<bool(int, int)>& wanted) {
    std::vector<CellIndex> cells;
    for (int x = 1; x <= maze.mazeWidth - 1; ++x) {
        for (int y = 1; y <= maze.mazeHeight - 1; ++y) {
            if (wanted(x, y)) {
                cells.push_back({x, y});
            }
        }
    }
    return cells;
}

inline std::vector<CellIndex> targetCells(const MazeState& maze) {
    return mazeCellsWhere(maze, [&maze](int x, int y) { return maze.trailGrid(x, y).flag == 1; });
}

inline std::vector<CellIndex> routeTargets(const MazeState& maze) {
    return mazeCellsWhere(maze, [&maze](int x, int y) {
        return maze.trailGrid(x, y).flag == 1 && maze.pathGrid(x, y).flag == 1;
    });
}

inline std::vector<CellIndex> offRouteTargets(const MazeState& maze) {
    return mazeCellsWhere(maze, [&maze](int x, int y) {
        return maze.trailGrid(x, y).flag == 1 && maze.pathGrid(x, y).flag == 0;
    });
}

inline std::vector<CellIndex> markedCells(const MazeState& maze) {
    return mazeCellsWhere(maze, [&maze](int x, int y) { return maze.openGrid(x, y).flag == 1; });
}

// Every pixel of a raster canvas, row by row, to tell whether anything was drawn.
inline std::vector<Colour> snapshot(const RasterCanvas& canvas) {
    std::vector<Colour> pixels;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            pixels.push_back(canvas.pixel(x, y));
        }
    }
    return pixels;
}

// A maze of the given size on a fake window of the given client size, with its own generator.
class MazeOnWindow {
public:
    MazeOnWindow(std::int32_t size, std::uint32_t seed, int clientWidth = 1000, int clientHeight = 600)
        : platform(clientWidth, clientHeight), random(seed) {
        maze.mazeWidth = size;
        maze.mazeHeight = size;
        shell.currentMode = Mode::Maze;
        shell.clientWidth = clientWidth;
        shell.clientHeight = clientHeight;
    }

    Context context() { return Context{platform, random, shell}; }
    RasterCanvas& window() { return platform.window(); }
    MazeGeometry geometry() const { return mazeGeometry(maze, shell.clientWidth, shell.clientHeight); }

    // What the size commands do: a new maze due, then the step.
    void newMaze() {
        maze.mazeStepPending = true;
        maze.mazeSolutionNext = false;
        step();
    }
    void step() {
        Context ctx = context();
        stepMaze(maze, ctx);
    }
    void click(int x, int y) {
        Context ctx = context();
        mazeClick(maze, ctx, x, y);
    }
    // A click at the centre of a cell's square.
    void clickCell(CellIndex cell) {
        const MazeGeometry g = geometry();
        click(g.cellLeft(cell.x) + g.cellSize / 2, g.cellTop(cell.y) + g.cellSize / 2);
    }
    void repaint() {
        Context ctx = context();
        repaintMaze(maze, ctx, platform.clientSize());
    }
    // Pixels of `colour` in a cell's target square.
    int targetPixels(CellIndex cell, Colour colour) {
        const MazeGeometry g = geometry();
        return window().countPixels(g.cellLeft(cell.x) + 3, g.cellTop(cell.y) + 3,
                                    g.cellLeft(cell.x + 1) - 3, g.cellTop(cell.y + 1) - 3, colour);
    }
    int windowPixels(Colour colour) { return window().countPixels(0, 0, window().width(), window().height(), colour); }

    FakePlatform platform;
    RandomGenerator random;
    ShellState shell;
    MazeState maze;
};

}  // namespace tavori::testing
