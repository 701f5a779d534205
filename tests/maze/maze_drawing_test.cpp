// Where the maze lands on a 1000 × 600 window, pixel for pixel, and tiny windows that fail
// nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "maze_test_support.h"

namespace tavori {
namespace {

using testing::MazeOnWindow;

struct Box {
    int left = INT_MAX;
    int top = INT_MAX;
    int right = INT_MIN;  // inclusive
    int bottom = INT_MIN;
};

Box boundsOf(const testing::RasterCanvas& canvas, Colour colour) {
    Box box;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (canvas.pixel(x, y) == colour) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
                       std::max(box.bottom, y)};
            }
        }
    }
    return box;
}

TEST(MazeGeometry, TenByTenOnAThousandBySixHundredWindow) {
    MazeOnWindow view(11, 1);
    const MazeGeometry g = view.geometry();
    EXPECT_EQ(g.cellSize, 40);
    EXPECT_EQ(g.mazeLeft, 280);
    EXPECT_EQ(g.cellLeft(1), 320);
    EXPECT_EQ(g.cellLeft(2), 360);
    EXPECT_EQ(g.cellTop(1), 120);
    EXPECT_EQ(g.cellTop(2), 160);

    view.newMaze();
    const Box walls = boundsOf(view.window(), kMazeWallColour);
    EXPECT_EQ(walls.left, 320);
    EXPECT_EQ(walls.top, 120);
    EXPECT_EQ(walls.right, 720);
    EXPECT_EQ(walls.bottom, 520);
    // The outer wall is whole but for the entrance and the exit, 39 pixels each.
    const int leftWall = view.window().countPixels(320, 120, 321, 520, kMazeWallColour);
    const int rightWall = view.window().countPixels(720, 120, 721, 520, kMazeWallColour);
    EXPECT_GE(leftWall, 400 - 40);
    EXPECT_LE(leftWall, 400 - 39);
    EXPECT_GE(rightWall, 400 - 40);
    EXPECT_LE(rightWall, 400 - 39);
    EXPECT_EQ(view.window().countPixels(320, 120, 720, 121, kMazeWallColour), 400);
    EXPECT_EQ(view.window().countPixels(320, 520, 720, 521, kMazeWallColour), 400);
}

TEST(MazeGeometry, EightByEightOnAThousandBySixHundredWindow) {
    MazeOnWindow view(9, 1);
    EXPECT_EQ(view.geometry().cellSize, 46);
    EXPECT_EQ(view.geometry().mazeLeft, 293);
    view.newMaze();
    const Box walls = boundsOf(view.window(), kMazeWallColour);
    EXPECT_EQ(walls.left, 339);
    EXPECT_EQ(walls.top, 138);
    EXPECT_EQ(walls.right, 707);
    EXPECT_EQ(walls.bottom, 506);
}

TEST(MazeDrawing, TargetSquareIsTheCellInsetByThree) {
    MazeOnWindow view(11, 1);
    view.maze.trailGrid(1, 1).flag = 1;
    drawTargets(view.maze, view.window(), view.geometry());
    const Box square = boundsOf(view.window(), kTargetColour);
    EXPECT_EQ(square.left, 323);
    EXPECT_EQ(square.top, 123);
    EXPECT_EQ(square.right, 356);
    EXPECT_EQ(square.bottom, 156);
    EXPECT_EQ(view.windowPixels(kTargetColour), 34 * 34);
}

TEST(MazeDrawing, RouteHalfLinesMeetAtTheCellCentre) {
    MazeOnWindow view(11, 1);
    view.maze.pathGrid(1, 1) = CellSides{1, 0, 1, 0, 1};
    drawSolution(view.maze, view.window(), view.geometry());
    auto& window = view.window();
    EXPECT_EQ(window.pixel(340, 140), kRouteColour);
    // Right: x 340 … 359 on y 140; down: y 140 … 159 on x 340; the ends are not painted.
    EXPECT_EQ(window.countPixels(340, 140, 360, 141, kRouteColour), 20);
    EXPECT_EQ(window.countPixels(340, 140, 341, 160, kRouteColour), 20);
    EXPECT_EQ(view.windowPixels(kRouteColour), 39);
    view.maze.pathGrid(1, 1) = CellSides{1, 1, 0, 1, 0};
    window.resize(1000, 600);
    drawSolution(view.maze, view.window(), view.geometry());
    EXPECT_EQ(window.countPixels(321, 140, 341, 141, kRouteColour), 20);  // toward x 320
    EXPECT_EQ(window.countPixels(340, 121, 341, 141, kRouteColour), 20);  // toward y 120
    EXPECT_EQ(view.windowPixels(kRouteColour), 39);
}

TEST(MazeDrawing, OddCellSizeEndsTheRightAndLowerHalfLinesInside) {
    MazeOnWindow view(11, 1, 1000, 45 * 15);
    const MazeGeometry g = view.geometry();
    ASSERT_EQ(g.cellSize, 45);
    view.maze.pathGrid(1, 1) = CellSides{1, 0, 1, 0, 1};
    drawSolution(view.maze, view.window(), g);
    const int left = g.cellLeft(1);
    const int top = g.cellTop(1);
    auto& window = view.window();
    // half = 22: the lines end at left + 44 and top + 44, one short of the next cell's edge
    // at 45, and that end pixel itself is not painted.
    EXPECT_EQ(window.pixel(left + 43, top + 22), kRouteColour);
    EXPECT_NE(window.pixel(left + 44, top + 22), kRouteColour);
    EXPECT_EQ(window.pixel(left + 22, top + 43), kRouteColour);
    EXPECT_NE(window.pixel(left + 22, top + 44), kRouteColour);
}

TEST(MazeDrawing, WallsAreWipedBeforeTheNewOnesAreDrawn) {
    MazeOnWindow view(11, 1);
    view.maze.wallGrid.fill(CellSides{0, 1, 1, 1, 1});
    const MazeGeometry g = view.geometry();
    drawMazeWalls(view.maze, view.window(), g);
    EXPECT_EQ(view.window().pixel(350, 160), kMazeWallColour);
    view.maze.wallGrid(2, 1).down = 0;
    view.maze.wallGrid(2, 2).up = 0;
    drawMazeWalls(view.maze, view.window(), g);
    // The opened side between (2, 1) and (2, 2) is black again, bar its end pixels that the
    // crossing walls repaint.
    EXPECT_EQ(view.window().countPixels(361, 160, 400, 161, kMazeWallColour), 0);
    EXPECT_EQ(view.window().countPixels(361, 160, 400, 161, kMazeErasedColour), 39);
}

TEST(MazeDrawing, WindowsTooSmallForACellDrawNothingAndFailNothing) {
    const std::pair<int, int> sizes[] = {{0, 0}, {1, 1}, {1000, 12}, {5, 12}};
    for (const auto& [width, height] : sizes) {
        for (const int size : {9, 11}) {
            MazeOnWindow view(size, 3, width, height);
            view.platform.window().resize(40, 40);  // something to look at, whatever the size
            view.newMaze();
            ASSERT_TRUE(view.maze.mazeSolutionNext);
            EXPECT_EQ(view.geometry().cellSize, 0);
            view.step();  // the route
            view.repaint();
            view.click(0, 0);
            view.clickCell(testing::targetCells(view.maze).front());
            EXPECT_EQ(view.windowPixels(kMazeErasedColour), 40 * 40) << width << "x" << height;
        }
    }
}

}  // namespace
}  // namespace tavori
