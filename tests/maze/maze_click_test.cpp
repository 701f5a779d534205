// Marking by click, row by row of what a click does in each state of the maze's cycle.
#include <gtest/gtest.h>


#include "maze_test_support.h"

namespace tavori {
namespace {

using testing::CellIndex;
using testing::markedCells;
using testing::MazeOnWindow;
using testing::offRouteTargets;
using testing::routeTargets;
using testing::snapshot;
using testing::targetCells;

constexpr int kSquare = 34 * 34;  // a target square at cellSize 40

class MazeClick : public ::testing::Test {
protected:
    MazeClick() : view(11, 21) { view.newMaze(); }

    bool mazeShown() const { return view.maze.mazeSolutionNext && !view.maze.mazeStepPending; }
    bool solutionShown() const { return !view.maze.mazeSolutionNext && !view.maze.mazeStepPending; }
    int routePixels() { return view.windowPixels(kRouteColour); }
    // A maze cell without a target.
    CellIndex emptyCell() {
        return testing::mazeCellsWhere(view.maze, [this](int x, int y) {
            return view.maze.trailGrid(x, y).flag == 0;
        }).front();
    }
    // Shows the route by a click beside the maze.
    void giveUp() {
        view.click(5, 5);
        ASSERT_TRUE(solutionShown());
    }

    MazeOnWindow view;
};

TEST_F(MazeClick, MarksAndUnmarksATarget) {
    const CellIndex target = targetCells(view.maze).front();
    view.clickCell(target);
    EXPECT_EQ(view.maze.openGrid(target.x, target.y).flag, 1);
    EXPECT_EQ(view.targetPixels(target, kMarkedTargetColour), kSquare);
    EXPECT_TRUE(mazeShown());
    view.clickCell(target);
    EXPECT_EQ(view.maze.openGrid(target.x, target.y).flag, 0);
    EXPECT_EQ(view.targetPixels(target, kTargetColour), kSquare);
    EXPECT_TRUE(mazeShown());
}

TEST_F(MazeClick, ThreeMarksWithOneOffTheRouteThenTheRightOne) {
    const auto route = routeTargets(view.maze);
    const auto off = offRouteTargets(view.maze);
    ASSERT_EQ(route.size(), 3u);
    view.clickCell(route[0]);
    view.clickCell(route[1]);
    view.clickCell(off[0]);
    EXPECT_EQ(markedCells(view.maze).size(), 3u);
    EXPECT_TRUE(mazeShown());
    EXPECT_EQ(routePixels(), 0);

    // A fourth target changes nothing, on screen or in the grids.
    const auto before = snapshot(view.window());
    view.clickCell(route[2]);
    EXPECT_EQ(view.maze.openGrid(route[2].x, route[2].y).flag, 0);
    EXPECT_EQ(snapshot(view.window()), before);

    view.clickCell(off[0]);
    EXPECT_EQ(view.targetPixels(off[0], kTargetColour), kSquare);
    view.clickCell(route[2]);
    // The last mark shows, then the route is drawn over it.
    EXPECT_TRUE(solutionShown());
    EXPECT_GT(routePixels(), 0);
    EXPECT_EQ(view.targetPixels(route[2], kTargetColour), 0);
    EXPECT_GT(view.targetPixels(route[2], kMarkedTargetColour), kSquare / 2);
}

TEST_F(MazeClick, InsideTheMazeOffEveryTargetNothingHappens) {
    const MazeGeometry g = view.geometry();
    const CellIndex empty = emptyCell();
    // A target whose left and lower lines are inner grid lines, not the outer wall.
    const CellIndex target = testing::mazeCellsWhere(view.maze, [this](int x, int y) {
        return view.maze.trailGrid(x, y).flag == 1 && x > 1 && y < view.maze.mazeHeight - 1;
    }).front();
    const auto before = snapshot(view.window());
    view.clickCell(empty);
    // A grid line inside the maze belongs to no cell, even beside a target.
    view.click(g.cellLeft(target.x), g.cellTop(target.y) + g.cellSize / 2);
    view.click(g.cellLeft(target.x) + g.cellSize / 2, g.cellTop(target.y + 1));
    // So does the strip between a target's square and its cell's edge: that is inside the cell.
    view.click(g.cellLeft(target.x) + 1, g.cellTop(target.y) + 1);
    EXPECT_EQ(view.maze.openGrid(target.x, target.y).flag, 1);
    view.click(g.cellLeft(target.x) + 1, g.cellTop(target.y) + 1);
    EXPECT_EQ(view.maze.openGrid(target.x, target.y).flag, 0);
    EXPECT_EQ(snapshot(view.window()), before);
    EXPECT_TRUE(mazeShown());
}

TEST_F(MazeClick, TheOuterWallLineIsOutsideAndShowsTheRoute) {
    const MazeGeometry g = view.geometry();
    ASSERT_EQ(g.mazeLeft + g.cellSize, 320);
    view.click(321, 300);  // just inside: nothing
    EXPECT_TRUE(mazeShown());
    view.click(320, 300);
    EXPECT_TRUE(solutionShown());
    EXPECT_GT(routePixels(), 0);
}

TEST_F(MazeClick, EveryEdgeOfTheMazeRectangleIsOutside) {
    // x 320 … 720 and y 120 … 520 are the outer wall; each of its lines moves the cycle on.
    const std::pair<int, int> onTheWall[] = {{720, 300}, {500, 120}, {500, 520}, {320, 300}};
    bool solutionNext = view.maze.mazeSolutionNext;
    for (const auto& [x, y] : onTheWall) {
        view.click(x, y);
        EXPECT_NE(view.maze.mazeSolutionNext, solutionNext) << x << "," << y;
        solutionNext = view.maze.mazeSolutionNext;
    }
    for (const auto& [x, y] : {std::pair{719, 300}, {500, 121}, {500, 519}}) {
        const CellIndex cell{(x - 280) / 40, y / 40 - 2};
        if (view.maze.trailGrid(cell.x, cell.y).flag == 0) {
            view.click(x, y);
            EXPECT_EQ(view.maze.mazeSolutionNext, solutionNext) << x << "," << y;
        }
    }
}

TEST_F(MazeClick, ClicksOutsideTheMazeMoveTheCycleOn) {
    for (const auto& [x, y] : {std::pair{-1, 300}, {65535, 65535}, {500, -(1 << 24)}}) {
        const bool solutionNext = view.maze.mazeSolutionNext;
        view.click(x, y);
        EXPECT_NE(view.maze.mazeSolutionNext, solutionNext);  // all outside: the cycle moves on
    }
}

TEST_F(MazeClick, SolvedAndRouteShownTheNextClickMakesAMazeAndMarksNothingInIt) {
    for (const CellIndex target : routeTargets(view.maze)) {
        view.clickCell(target);
    }
    ASSERT_TRUE(solutionShown());
    // Where the next maze will put its targets: the same draws on a copy.
    MazeState next = view.maze;
    RandomGenerator nextRandom = view.random;
    makeAcceptedMaze(next, nextRandom);
    const CellIndex newTarget = targetCells(next).front();

    view.clickCell(newTarget);
    EXPECT_TRUE(mazeShown());
    EXPECT_TRUE(view.maze.trailGrid == next.trailGrid);
    EXPECT_TRUE(markedCells(view.maze).empty());
    EXPECT_EQ(view.targetPixels(newTarget, kTargetColour), kSquare);
    EXPECT_EQ(routePixels(), 0);
}

TEST_F(MazeClick, SolvedAndRouteShownAClickBesideTheMazeAlsoMakesANewOne) {
    for (const CellIndex target : routeTargets(view.maze)) {
        view.clickCell(target);
    }
    const MazeGrid solvedWalls = view.maze.wallGrid;
    view.click(5, 5);
    EXPECT_TRUE(mazeShown());
    EXPECT_FALSE(view.maze.wallGrid == solvedWalls);
    EXPECT_TRUE(markedCells(view.maze).empty());
}

TEST_F(MazeClick, RouteShownAfterGivingUpTargetsStillMark) {
    giveUp();
    const auto route = routeTargets(view.maze);
    const auto off = offRouteTargets(view.maze);
    view.clickCell(off[0]);
    EXPECT_EQ(view.maze.openGrid(off[0].x, off[0].y).flag, 1);
    view.clickCell(off[0]);
    EXPECT_EQ(view.maze.openGrid(off[0].x, off[0].y).flag, 0);
    // Inside, off every target: nothing.
    view.clickCell(emptyCell());
    EXPECT_TRUE(solutionShown());
    // Completing the three route targets makes a new maze.
    const MazeGrid shownWalls = view.maze.wallGrid;
    for (const CellIndex target : route) {
        view.clickCell(target);
    }
    EXPECT_TRUE(mazeShown());
    EXPECT_FALSE(view.maze.wallGrid == shownWalls);
    EXPECT_TRUE(markedCells(view.maze).empty());
}

TEST_F(MazeClick, RouteShownAfterGivingUpAClickBesideMakesANewMaze) {
    giveUp();
    const MazeGrid shownWalls = view.maze.wallGrid;
    view.click(990, 590);
    EXPECT_TRUE(mazeShown());
    EXPECT_FALSE(view.maze.wallGrid == shownWalls);
}

TEST_F(MazeClick, AfterARepaintAMarkedTargetLooksUnmarkedAndUnmarksUnchanged) {
    const CellIndex target = targetCells(view.maze).front();
    view.clickCell(target);
    view.repaint();
    EXPECT_EQ(view.targetPixels(target, kTargetColour), kSquare);
    const auto before = snapshot(view.window());
    view.clickCell(target);
    EXPECT_EQ(view.maze.openGrid(target.x, target.y).flag, 0);
    EXPECT_EQ(snapshot(view.window()), before);
}

}  // namespace
}  // namespace tavori
