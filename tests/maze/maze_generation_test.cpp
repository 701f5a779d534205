// Carving: the reset frame, the walk's draws, the order of the generator's draws and the
// shape of every maze over many seeds.
#include <gtest/gtest.h>

#include <queue>

#include "maze/maze_generation.h"
#include "maze_test_support.h"

namespace tavori {
namespace {

using testing::CellIndex;

MazeState sizedMaze(std::int32_t size) {
    MazeState maze;
    maze.mazeWidth = size;
    maze.mazeHeight = size;
    return maze;
}

TEST(ResetMaze, JoinsOnlyTheFrameAndKeepsEveryWall) {
    for (const int size : {9, 11}) {
        MazeState maze = sizedMaze(size);
        maze.wallGrid(50, 50) = CellSides{};
        resetMaze(maze);
        for (int x = 0; x < MazeGrid::kSide; ++x) {
            for (int y = 0; y < MazeGrid::kSide; ++y) {
                const bool frame = ((y == 0 || y == size) && x <= size - 1) ||
                                   ((x == 0 || x == size) && y <= size - 1);
                const CellSides& cell = maze.wallGrid(x, y);
                EXPECT_EQ(cell, (CellSides{static_cast<CellBit>(frame ? 0 : 1), 1, 1, 1, 1})) << size << ": " << x << "," << y;
            }
        }
        EXPECT_EQ(maze.wallGrid(size, size).flag, 1);  // the far corner is beside no maze cell
    }
}

// A reset size-9 maze with every cell joined except those listed.
MazeState joinedExcept(std::initializer_list<CellIndex> unvisited) {
    MazeState maze = sizedMaze(9);
    resetMaze(maze);
    for (int x = 1; x <= 8; ++x) {
        for (int y = 1; y <= 8; ++y) {
            maze.wallGrid(x, y).flag = 0;
        }
    }
    for (const CellIndex cell : unvisited) {
        maze.wallGrid(cell.x, cell.y).flag = 1;
    }
    return maze;
}

TEST(CarveWalk, SpendsOneDrawWhenNoNeighbourIsUnvisited) {
    for (const CellIndex start : {CellIndex{4, 4}, CellIndex{1, 1}, CellIndex{8, 8}}) {
        MazeState maze = joinedExcept({{8, 1}});  // unvisited, but beside none of the starts
        const MazeGrid before = maze.wallGrid;
        RandomGenerator random(77);
        RandomGenerator expected(77);
        expected.next();
        EXPECT_EQ(carveWalk(maze, random, start.x, start.y), 0);
        EXPECT_EQ(random.state(), expected.state());
        EXPECT_TRUE(maze.wallGrid == before);
    }
}

TEST(CarveWalk, EachDrawValueOpensItsOwnSideAndStopsRightAfter) {
    // 0 right, 1 down, 2 left, 3 up: the walk draws until the value of the one open way comes.
    const std::pair<int, CellIndex> ways[] = {{0, {5, 4}}, {1, {4, 5}}, {2, {3, 4}}, {3, {4, 3}}};
    for (const auto& [value, neighbour] : ways) {
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            MazeState maze = joinedExcept({neighbour});
            RandomGenerator random(seed);
            RandomGenerator replay(seed);
            while (replay.below(4) != value) {
            }
            EXPECT_EQ(carveWalk(maze, random, 4, 4), 1);
            EXPECT_EQ(random.state(), replay.state()) << value << " seed " << seed;
            const Side opened = value == 0 ? Side::Right : value == 1 ? Side::Down
                              : value == 2 ? Side::Left : Side::Up;
            const CellSides& to = maze.wallGrid(neighbour.x, neighbour.y);
            EXPECT_EQ(to.flag, 0);
            EXPECT_EQ(sideOf(to, oppositeOf(opened)), 0);
            for (const Side side : {Side::Up, Side::Down, Side::Left, Side::Right}) {
                EXPECT_EQ(sideOf(maze.wallGrid(4, 4), side), side == opened ? 0 : 1);
            }
        }
    }
}

TEST(GenerateMaze, EntranceAndExitRowsAreTheFirstTwoDraws) {
    for (std::uint32_t seed = 0; seed < 50; ++seed) {
        MazeState maze = sizedMaze(11);
        RandomGenerator random(seed);
        RandomGenerator replay(seed);
        const int entranceRow = 1 + replay.below(10);
        const int exitRow = 1 + replay.below(10);
        resetMaze(maze);
        generateMaze(maze, random);
        EXPECT_EQ(maze.wallGrid(1, entranceRow).left, 0) << seed;
        EXPECT_EQ(maze.wallGrid(10, exitRow).right, 0) << seed;
    }
}

TEST(GenerateMaze, HuntProbesOnceEvenWhenTheFirstWalkJoinedEverything) {
    // On 2 × 2 cells the first walk often joins all four; one probe (x, y) and the one-draw walk
    // from the joined cell it finds still follow: three more draws.
    int walksThatJoinedAll = 0;
    for (std::uint32_t seed = 0; seed < 100; ++seed) {
        MazeState replayMaze = sizedMaze(3);
        RandomGenerator replay(seed);
        resetMaze(replayMaze);
        const int entranceRow = 1 + replay.below(2);
        replay.below(2);
        replayMaze.wallGrid(1, entranceRow).flag = 0;
        if (carveWalk(replayMaze, replay, 1, entranceRow) != 3) {
            continue;
        }
        ++walksThatJoinedAll;
        MazeState maze = sizedMaze(3);
        RandomGenerator random(seed);
        resetMaze(maze);
        generateMaze(maze, random);
        replay.next();
        replay.next();
        replay.next();
        EXPECT_EQ(random.state(), replay.state()) << seed;
    }
    EXPECT_GT(walksThatJoinedAll, 10);
}

// Every cell reached from the entrance through open sides; false if a cell is reached twice.
bool reachesEveryCellOnce(const MazeState& maze, CellIndex entrance) {
    const int width = maze.mazeWidth;
    const int height = maze.mazeHeight;
    std::vector<int> seen(static_cast<std::size_t>(MazeGrid::kSide * MazeGrid::kSide), 0);
    std::queue<std::pair<CellIndex, Side>> pending;  // a cell and the side it was entered by
    pending.push({entrance, Side::Left});
    int reached = 0;
    while (!pending.empty()) {
        const auto [cell, cameFrom] = pending.front();
        pending.pop();
        int& mark = seen[static_cast<std::size_t>(cell.x * MazeGrid::kSide + cell.y)];
        if (mark++ != 0) {
            return false;  // a loop
        }
        ++reached;
        for (const Side side : {Side::Up, Side::Down, Side::Left, Side::Right}) {
            const CellIndex next{cell.x + stepXOf(side), cell.y + stepYOf(side)};
            if (side != cameFrom && sideOf(maze.wallGrid(cell.x, cell.y), side) == 0 &&
                isMazeCell(maze, next.x, next.y)) {
                pending.push({next, oppositeOf(side)});
            }
        }
    }
    return reached == (width - 1) * (height - 1);
}

TEST(GenerateMaze, MakesAPerfectMazeWithOneEntranceAndOneExit) {
    for (const int size : {9, 11}) {
        const int last = size - 1;
        for (std::uint32_t seed = 0; seed < 200; ++seed) {
            MazeState maze = sizedMaze(size);
            RandomGenerator random(seed * 7919u + 13u);
            resetMaze(maze);
            generateMaze(maze, random);
            const MazeGrid& walls = maze.wallGrid;
            int innerOpenings = 0;
            for (int x = 1; x <= last; ++x) {
                for (int y = 1; y <= last; ++y) {
                    ASSERT_EQ(walls(x, y).flag, 0) << seed;
                    if (x < last) {
                        ASSERT_EQ(walls(x, y).right, walls(x + 1, y).left) << seed;
                        innerOpenings += walls(x, y).right == 0 ? 1 : 0;
                    }
                    if (y < last) {
                        ASSERT_EQ(walls(x, y).down, walls(x, y + 1).up) << seed;
                        innerOpenings += walls(x, y).down == 0 ? 1 : 0;
                    }
                }
            }
            EXPECT_EQ(innerOpenings, last * last - 1) << seed;
            int entrances = 0;
            int exits = 0;
            int entranceRow = 0;
            for (int i = 1; i <= last; ++i) {
                EXPECT_EQ(walls(i, 1).up, 1);
                EXPECT_EQ(walls(i, last).down, 1);
                if (walls(1, i).left == 0) {
                    ++entrances;
                    entranceRow = i;
                    EXPECT_EQ(walls(0, i).right, 1);  // the frame keeps its side
                }
                if (walls(last, i).right == 0) {
                    ++exits;
                    EXPECT_EQ(walls(size, i).left, 1);
                }
            }
            ASSERT_EQ(entrances, 1) << seed;
            ASSERT_EQ(exits, 1) << seed;
            EXPECT_TRUE(reachesEveryCellOnce(maze, {1, entranceRow})) << seed;
        }
    }
}

}  // namespace
}  // namespace tavori
