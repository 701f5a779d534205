// The route and the targets: a hand-made maze traced exactly, the shape of every accepted maze
// over many seeds, the order of the target draws, and what a larger maze leaves behind.
#include <gtest/gtest.h>

#include <set>

#include "maze/maze_generation.h"
#include "maze/maze_solver.h"
#include "maze_test_support.h"

namespace tavori {
namespace {

using testing::CellIndex;
using testing::markedCells;
using testing::routeTargets;
using testing::targetCells;

// Opens the passage between two neighbouring cells in wallGrid.
void openPassage(MazeState& maze, CellIndex from, Side side) {
    sideOf(maze.wallGrid(from.x, from.y), side) = 0;
    sideOf(maze.wallGrid(from.x + stepXOf(side), from.y + stepYOf(side)), oppositeOf(side)) = 0;
}

// 3 × 3 cells, entrance and exit in row 2, every passage meeting at the centre column:
//   (1,1)-(2,1)-(3,1)
//         |
//   (1,2)-(2,2)-(3,2)
//         |
//   (1,3)-(2,3)-(3,3)
MazeState handMadeMaze() {
    MazeState maze;
    maze.mazeWidth = 4;
    maze.mazeHeight = 4;
    resetMaze(maze);
    for (int x = 1; x <= 3; ++x) {
        for (int y = 1; y <= 3; ++y) {
            maze.wallGrid(x, y).flag = 0;
        }
    }
    maze.wallGrid(1, 2).left = 0;
    maze.wallGrid(3, 2).right = 0;
    for (const int y : {1, 2, 3}) {
        openPassage(maze, {1, y}, Side::Right);
        openPassage(maze, {2, y}, Side::Right);
    }
    openPassage(maze, {2, 1}, Side::Down);
    openPassage(maze, {2, 2}, Side::Down);
    return maze;
}

TEST(SolveAndPlaceTargets, FollowerKeepsItsRightHandOnTheWall) {
    MazeState maze = handMadeMaze();
    RandomGenerator random(1);
    solveAndPlaceTargets(maze, random);
    // From the centre a right-hand follower turns down first, explores the bottom row (left dead
    // end, then right dead end), comes back up and goes straight on to the exit.
    const auto trail = [&maze](int x, int y) {
        const CellSides& c = maze.trailGrid(x, y);
        return CellSides{0, c.up, c.down, c.left, c.right};
    };
    EXPECT_EQ(trail(1, 2), (CellSides{0, 0, 0, 0, 1}));
    EXPECT_EQ(trail(2, 2), (CellSides{0, 0, 1, 0, 1}));
    EXPECT_EQ(trail(2, 3), (CellSides{0, 1, 0, 1, 1}));
    EXPECT_EQ(trail(1, 3), (CellSides{0, 0, 0, 0, 1}));
    EXPECT_EQ(trail(3, 3), (CellSides{0, 0, 0, 1, 0}));
    EXPECT_EQ(trail(3, 2), (CellSides{0, 0, 0, 0, 1}));
    for (const int x : {1, 2, 3}) {
        EXPECT_EQ(trail(x, 1), CellSides{}) << x;  // the top row was never entered
    }
    // The route is the middle row only, despite the explored branch below.
    for (int x = 1; x <= 3; ++x) {
        for (int y = 1; y <= 3; ++y) {
            const CellSides expected = y == 2 ? CellSides{1, 0, 0, 1, 1} : CellSides{};
            EXPECT_EQ(maze.pathGrid(x, y), expected) << x << "," << y;
            const CellSides& walls = maze.wallGrid(x, y);
            const CellSides& open = maze.openGrid(x, y);
            for (const Side side : {Side::Up, Side::Down, Side::Left, Side::Right}) {
                EXPECT_EQ(sideOf(open, side), 1 - sideOf(walls, side));
            }
            EXPECT_EQ(open.flag, 0);
        }
    }
    // Three targets on a route of three cells in a row would share sides: never accepted, and
    // a maze whose cells run out for its four targets is given up rather than drawn on forever.
    EXPECT_FALSE(maze.mazeAccepted);
    EXPECT_EQ(maze.targetAttempts, kMaxTargetAttempts);
}

// Follows pathGrid from the entrance; the cells visited, or empty if the route is broken.
std::vector<CellIndex> walkRoute(const MazeState& maze, int entranceRow) {
    std::vector<CellIndex> route;
    CellIndex cell{1, entranceRow};
    Side cameFrom = Side::Left;
    std::set<std::pair<int, int>> seen;
    while (true) {
        if (!isMazeCell(maze, cell.x, cell.y) || !seen.insert({cell.x, cell.y}).second) {
            return {};
        }
        route.push_back(cell);
        const CellSides& path = maze.pathGrid(cell.x, cell.y);
        if (path.up + path.down + path.left + path.right != 2 || sideOf(path, cameFrom) != 1) {
            return {};
        }
        Side onward = cameFrom;
        for (const Side side : {Side::Up, Side::Down, Side::Left, Side::Right}) {
            if (side != cameFrom && sideOf(path, side) == 1) {
                onward = side;
            }
        }
        if (sideOf(maze.wallGrid(cell.x, cell.y), onward) != 0) {
            return {};  // through a wall
        }
        if (cell.x == maze.mazeWidth - 1 && onward == Side::Right) {
            return route;  // out through the exit
        }
        cell = {cell.x + stepXOf(onward), cell.y + stepYOf(onward)};
        cameFrom = oppositeOf(onward);
    }
}

TEST(SolveAndPlaceTargets, AcceptedMazesHaveTheRouteAndTargetsTheyPromise) {
    for (const int size : {9, 11}) {
        int mazesWithExploredDeadEnds = 0;
        for (std::uint32_t seed = 0; seed < 200; ++seed) {
            MazeState maze;
            maze.mazeWidth = size;
            maze.mazeHeight = size;
            maze.openGrid(2, 3).flag = 1;  // a mark of a previous maze
            RandomGenerator random(seed * 104729u + 3u);
            ASSERT_GT(makeAcceptedMaze(maze, random), 0);
            int entranceRow = 0;
            for (int y = size - 1; y >= 1; --y) {
                entranceRow = maze.wallGrid(1, y).left == 0 ? y : entranceRow;
            }
            const std::vector<CellIndex> route = walkRoute(maze, entranceRow);
            ASSERT_FALSE(route.empty()) << seed;
            EXPECT_EQ(route.front().x, 1);
            EXPECT_EQ(route.back().x, size - 1);
            const auto onRoute = testing::mazeCellsWhere(maze, [&maze](int x, int y) {
                return maze.pathGrid(x, y).flag == 1;
            });
            EXPECT_EQ(onRoute.size(), route.size()) << seed;  // nothing off the route flagged

            const std::vector<CellIndex> targets = targetCells(maze);
            EXPECT_EQ(targets.size(), static_cast<std::size_t>(size)) << seed;
            for (const CellIndex a : targets) {
                for (const CellIndex b : targets) {
                    EXPECT_NE(std::abs(a.x - b.x) + std::abs(a.y - b.y), 1) << seed;
                }
            }
            EXPECT_EQ(routeTargets(maze).size(), 3u) << seed;
            EXPECT_TRUE(markedCells(maze).empty()) << seed;

            // A passage whose two trail copies are both set was explored in and out.
            const auto explored = testing::mazeCellsWhere(maze, [&maze](int x, int y) {
                return x < maze.mazeWidth - 1 && maze.trailGrid(x, y).right == 1 &&
                       maze.trailGrid(x + 1, y).left == 1;
            });
            mazesWithExploredDeadEnds += explored.empty() ? 0 : 1;
        }
        EXPECT_GT(mazesWithExploredDeadEnds, 50) << size;
    }
}

TEST(SolveAndPlaceTargets, TargetsAreDrawnXThenYAndDrawnAgainBesideAnother) {
    for (const int size : {9, 11}) {
        for (std::uint32_t seed = 0; seed < 60; ++seed) {
            MazeState maze;
            maze.mazeWidth = size;
            maze.mazeHeight = size;
            RandomGenerator random(seed);
            resetMaze(maze);
            generateMaze(maze, random);
            RandomGenerator replay = random;
            solveAndPlaceTargets(maze, random);

            // The same attempts, from the draws alone.
            std::set<std::pair<int, int>> targets;
            for (int attempt = 0; attempt < kMaxTargetAttempts; ++attempt) {
                targets.clear();
                while (targets.size() < static_cast<std::size_t>(size)) {
                    const int x = 1 + replay.below(size - 1);
                    const int y = 1 + replay.below(size - 1);
                    if (!targets.contains({x, y}) && !targets.contains({x + 1, y}) &&
                        !targets.contains({x - 1, y}) && !targets.contains({x, y + 1}) &&
                        !targets.contains({x, y - 1})) {
                        targets.insert({x, y});
                    }
                }
                int onRoute = 0;
                for (const auto& [x, y] : targets) {
                    onRoute += maze.pathGrid(x, y).flag;
                }
                if (onRoute == 3) {
                    break;
                }
            }
            EXPECT_EQ(random.state(), replay.state()) << seed;
            for (const CellIndex cell : targetCells(maze)) {
                EXPECT_TRUE(targets.contains({cell.x, cell.y})) << seed;
            }
        }
    }
}

TEST(SolveAndPlaceTargets, SameSeedSameMazeRouteAndTargets) {
    for (const int size : {9, 11}) {
        MazeState first;
        MazeState second;
        first.mazeWidth = first.mazeHeight = second.mazeWidth = second.mazeHeight = size;
        RandomGenerator randomFirst(2024);
        RandomGenerator randomSecond(2024);
        makeAcceptedMaze(first, randomFirst);
        makeAcceptedMaze(second, randomSecond);
        EXPECT_TRUE(first.wallGrid == second.wallGrid);
        EXPECT_TRUE(first.openGrid == second.openGrid);
        EXPECT_TRUE(first.trailGrid == second.trailGrid);
        EXPECT_TRUE(first.pathGrid == second.pathGrid);
        EXPECT_EQ(randomFirst.state(), randomSecond.state());
    }
}

TEST(SolveAndPlaceTargets, TargetsLeftInTheFrameByALargerMazeDoNotCount) {
    // A 10 × 10 maze leaves its targets of column 9 and row 9 in what is the 8 × 8 maze's
    // frame; the smaller maze must come out as from a fresh start.
    int largerMazesWithTargetsInTheFrame = 0;
    for (std::uint32_t seed = 0; seed < 40; ++seed) {
        MazeState reused;
        RandomGenerator earlier(seed + 500);
        makeAcceptedMaze(reused, earlier);  // size 11
        for (int i = 1; i <= 9; ++i) {
            if (reused.trailGrid(9, i).flag == 1 || reused.trailGrid(i, 9).flag == 1) {
                ++largerMazesWithTargetsInTheFrame;
                break;
            }
        }
        reused.mazeWidth = reused.mazeHeight = 9;
        MazeState fresh;
        fresh.mazeWidth = fresh.mazeHeight = 9;
        RandomGenerator randomReused(seed);
        RandomGenerator randomFresh(seed);
        makeAcceptedMaze(reused, randomReused);
        makeAcceptedMaze(fresh, randomFresh);
        EXPECT_EQ(randomReused.state(), randomFresh.state()) << seed;
        for (int x = 1; x <= 8; ++x) {
            for (int y = 1; y <= 8; ++y) {
                EXPECT_EQ(reused.trailGrid(x, y).flag, fresh.trailGrid(x, y).flag) << seed;
            }
        }
    }
    EXPECT_GT(largerMazesWithTargetsInTheFrame, 20);
}

TEST(MakeAcceptedMaze, GivesUpOnAMazeTooSmallForItsTargets) {
    MazeState maze;
    maze.mazeWidth = maze.mazeHeight = 3;  // 2 × 2 cells can hold two targets, not three
    RandomGenerator random(9);
    EXPECT_EQ(makeAcceptedMaze(maze, random), 0);
    EXPECT_FALSE(maze.mazeAccepted);
}

}  // namespace
}  // namespace tavori
