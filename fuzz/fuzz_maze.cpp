// Fuzzes the maze: a seed from the input generated and solved, checked as the maze tests check
// it, then clicked (on cells, on grid lines and anywhere) at a client size from the input.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "common/context.h"
#include "maze/maze.h"
#include "maze/maze_drawing.h"
#include "support/fake_platform.h"

namespace {

using namespace tavori;

void check(bool holds) {
    if (!holds) __builtin_trap();
}

// A perfect maze: frame intact, both copies of every inner wall agree, as many openings as a
// tree over the cells needs, one entrance, one exit, and every cell reached from the entrance.
void checkCarving(const MazeState& maze) {
    const int size = maze.mazeWidth;
    const int last = size - 1;
    const MazeGrid& walls = maze.wallGrid;
    int innerOpenings = 0;
    int entrances = 0;
    int exits = 0;
    int entranceRow = 0;
    for (int x = 1; x <= last; ++x) {
        for (int y = 1; y <= last; ++y) {
            check(walls(x, y).flag == 0);
            if (x < last) {
                check(walls(x, y).right == walls(x + 1, y).left);
                innerOpenings += walls(x, y).right == 0 ? 1 : 0;
            }
            if (y < last) {
                check(walls(x, y).down == walls(x, y + 1).up);
                innerOpenings += walls(x, y).down == 0 ? 1 : 0;
            }
        }
    }
    check(innerOpenings == last * last - 1);
    for (int i = 1; i <= last; ++i) {
        check(walls(i, 1).up == 1 && walls(i, last).down == 1);
        if (walls(1, i).left == 0) {
            ++entrances;
            entranceRow = i;
        }
        exits += walls(last, i).right == 0 ? 1 : 0;
    }
    check(entrances == 1 && exits == 1);
    // Flood from the entrance through open sides.
    std::vector<char> seen(static_cast<std::size_t>(size * size), 0);
    std::vector<std::pair<int, int>> stack{{1, entranceRow}};
    int reached = 0;
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        char& mark = seen[static_cast<std::size_t>(x * size + y)];
        if (mark) continue;
        mark = 1;
        ++reached;
        const CellSides& cell = walls(x, y);
        if (cell.up == 0 && y > 1) stack.push_back({x, y - 1});
        if (cell.down == 0 && y < last) stack.push_back({x, y + 1});
        if (cell.left == 0 && x > 1) stack.push_back({x - 1, y});
        if (cell.right == 0 && x < last) stack.push_back({x + 1, y});
    }
    check(reached == last * last);
}

// Targets: one per column count, none side by side, exactly three on the route, no marks.
void checkTargets(const MazeState& maze) {
    std::vector<std::pair<int, int>> targets;
    int onRoute = 0;
    int routeCells = 0;
    for (int x = 1; x <= maze.mazeWidth - 1; ++x) {
        for (int y = 1; y <= maze.mazeHeight - 1; ++y) {
            check(maze.openGrid(x, y).flag == 0);
            routeCells += maze.pathGrid(x, y).flag;
            if (maze.trailGrid(x, y).flag == 1) {
                targets.push_back({x, y});
                onRoute += maze.pathGrid(x, y).flag;
            }
        }
    }
    check(targets.size() == static_cast<std::size_t>(maze.mazeWidth));
    check(onRoute == 3);
    check(routeCells >= maze.mazeWidth - 1);  // the route crosses every column
    for (const auto& a : targets) {
        for (const auto& b : targets) {
            check(std::abs(a.first - b.first) + std::abs(a.second - b.second) != 1);
        }
    }
}

// Marked maze cells; only targets are ever marked. (Cells beyond the current size may keep
// marks of a larger maze made earlier; nothing reads them, so they are not looked at.)
int countMarked(const MazeState& maze) {
    int marked = 0;
    for (int x = 1; x <= maze.mazeWidth - 1; ++x) {
        for (int y = 1; y <= maze.mazeHeight - 1; ++y) {
            if (maze.openGrid(x, y).flag == 1) {
                check(maze.trailGrid(x, y).flag == 1);
                ++marked;
            }
        }
    }
    return marked;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static testing::FakePlatform platform(16, 12);  // small, so drawing is clipped and cheap
    static MazeState maze;  // its grids are 200 KB: made once, reset by every new maze
    FuzzedDataProvider input(data, size);
    RandomGenerator random(input.ConsumeIntegral<std::uint32_t>());
    const std::int32_t mazeSize = input.ConsumeBool() ? 9 : 11;
    ShellState shell;
    shell.currentMode = Mode::Maze;
    shell.clientWidth = input.ConsumeIntegralInRange(0, 15) == 0 ? input.ConsumeIntegralInRange(0, 65535) : input.ConsumeIntegralInRange(0, 400);
    shell.clientHeight = input.ConsumeIntegralInRange(0, 15) == 0 ? input.ConsumeIntegralInRange(0, 65535) : input.ConsumeIntegralInRange(0, 300);
    Context context{platform, random, shell};

    // What the size commands do, then the step that makes the maze.
    maze.mazeWidth = mazeSize;
    maze.mazeHeight = mazeSize;
    maze.mazeStepPending = true;
    maze.mazeSolutionNext = false;
    stepMaze(maze, context);
    check(maze.mazeAccepted);
    checkCarving(maze);
    checkTargets(maze);

    while (input.remaining_bytes() > 0) {
        const MazeGeometry geometry = mazeGeometry(maze, shell.clientWidth, shell.clientHeight);
        int x = 0;
        int y = 0;
        switch (input.ConsumeIntegralInRange(0, 3)) {
            case 0: {  // a cell's centre
                const int cellX = input.ConsumeIntegralInRange(0, mazeSize);
                const int cellY = input.ConsumeIntegralInRange(0, mazeSize);
                x = geometry.cellLeft(cellX) + geometry.cellSize / 2;
                y = geometry.cellTop(cellY) + geometry.cellSize / 2;
                break;
            }
            case 1: {  // a grid line or corner
                x = geometry.cellLeft(input.ConsumeIntegralInRange(0, mazeSize + 1));
                y = geometry.cellTop(input.ConsumeIntegralInRange(0, mazeSize + 1));
                break;
            }
            case 2:
                x = input.ConsumeIntegral<std::int32_t>();
                y = input.ConsumeIntegral<std::int32_t>();
                break;
            default:
                x = input.ConsumeIntegralInRange(-5, shell.clientWidth + 5);
                y = input.ConsumeIntegralInRange(-5, shell.clientHeight + 5);
                break;
        }
        mazeClick(maze, context, x, y);
        check(countMarked(maze) <= 3);
        check(maze.mazeAccepted);
        if (input.ConsumeIntegralInRange(0, 7) == 0) {
            repaintMaze(maze, context, platform.clientSize());
        }
        if (input.ConsumeIntegralInRange(0, 7) == 0) {
            stepMaze(maze, context);
        }
        // Each maze the cycle makes is as sound as the first.
        checkCarving(maze);
    }
    platform.window().clearTextRuns();
    return 0;
}
