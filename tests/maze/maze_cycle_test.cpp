// The maze's cycle: a new maze, its route, the next maze; and the repaint in between.
#include <gtest/gtest.h>

#include "maze_test_support.h"
#include "shell/app.h"
#include "shell/menu.h"

namespace tavori {
namespace {

using testing::MazeOnWindow;
using testing::snapshot;
using testing::targetCells;

constexpr Colour kRed = rgb(255, 0, 0);

TEST(StepMaze, WithNothingPendingDrawsAndDrawsNothing) {
    MazeOnWindow view(11, 4);
    view.window().fillRect(0, 0, 1000, 600, kRed);
    for (int tick = 0; tick < 3; ++tick) {
        view.step();
    }
    EXPECT_EQ(view.windowPixels(kRed), 1000 * 600);
    EXPECT_EQ(view.random.state(), 4u);
    EXPECT_FALSE(view.maze.mazeSolutionNext);
}

TEST(StepMaze, NewMazeThenItsRouteThenTheNextMaze) {
    MazeOnWindow view(11, 4);
    view.window().fillRect(0, 0, 1000, 600, kRed);
    view.newMaze();
    EXPECT_EQ(view.windowPixels(kRed), 0);  // cleared first
    EXPECT_TRUE(view.maze.mazeAccepted);
    EXPECT_TRUE(view.maze.mazeSolutionNext);
    EXPECT_FALSE(view.maze.mazeStepPending);
    EXPECT_EQ(view.windowPixels(kTargetColour), 11 * 34 * 34);
    EXPECT_GT(view.windowPixels(kMazeWallColour), 0);
    EXPECT_EQ(view.windowPixels(kRouteColour), 0);

    const auto mazeShown = snapshot(view.window());
    view.step();  // nothing pending: nothing happens
    EXPECT_EQ(snapshot(view.window()), mazeShown);

    view.maze.mazeStepPending = true;
    view.step();
    EXPECT_FALSE(view.maze.mazeSolutionNext);
    EXPECT_FALSE(view.maze.mazeStepPending);
    EXPECT_GT(view.windowPixels(kRouteColour), 0);

    const MazeGrid firstWalls = view.maze.wallGrid;
    view.maze.mazeStepPending = true;
    view.step();
    EXPECT_TRUE(view.maze.mazeSolutionNext);
    EXPECT_EQ(view.windowPixels(kRouteColour), 0);
    EXPECT_FALSE(view.maze.wallGrid == firstWalls);
}

TEST(RepaintMaze, ShowsWallsAndTargetsOnlyAndKeepsTheMarks) {
    MazeOnWindow view(11, 8);
    view.newMaze();
    const auto target = targetCells(view.maze).front();
    view.clickCell(target);
    ASSERT_EQ(view.maze.openGrid(target.x, target.y).flag, 1);
    view.maze.mazeStepPending = true;
    view.step();  // the route
    ASSERT_GT(view.windowPixels(kRouteColour), 0);

    view.repaint();
    EXPECT_EQ(view.windowPixels(kRouteColour), 0);
    EXPECT_EQ(view.windowPixels(kMarkedTargetColour), 0);
    EXPECT_EQ(view.targetPixels(target, kTargetColour), 34 * 34);
    EXPECT_EQ(view.windowPixels(kTargetColour), 11 * 34 * 34);
    EXPECT_EQ(view.maze.openGrid(target.x, target.y).flag, 1);
    EXPECT_FALSE(view.maze.mazeSolutionNext);  // the next click still makes a new maze
}

TEST(RepaintMaze, ClearsWithTheStoredSizeThenReadsTheNewOne) {
    MazeOnWindow view(11, 8);
    view.newMaze();
    view.shell.clientWidth = 500;  // as stored before a resize to 1000 × 600
    view.shell.clientHeight = 300;
    view.window().fillRect(0, 0, 1000, 600, kRed);
    view.repaint();
    EXPECT_EQ(view.shell.clientWidth, 1000);
    EXPECT_EQ(view.shell.clientHeight, 600);
    EXPECT_EQ(view.window().countPixels(0, 0, 500, 300, kRed), 0);
    EXPECT_EQ(view.window().pixel(900, 590), kRed);  // beyond the stored size
    EXPECT_EQ(view.window().pixel(320, 520), kMazeWallColour);  // drawn at the new size
}

TEST(RepaintMaze, AResizeInTheAppRedrawsAtTheNewSize) {
    testing::FakePlatform platform;
    App app(platform, AppConfig{3, ""});
    app.startUp();
    app.command(CommandId::MazeLarge);
    platform.setClientSize(800, 500);
    app.paint();
    // cellSize 500 / 15 = 33, mazeLeft (800 − 363) / 2 = 218: the maze spans x 251 … 581,
    // y 99 … 429.
    auto& window = platform.window();
    EXPECT_EQ(window.countPixels(251, 99, 581, 100, kMazeWallColour), 330);
    EXPECT_EQ(window.countPixels(251, 429, 581, 430, kMazeWallColour), 330);
    EXPECT_EQ(window.countPixels(0, 0, 800, 500, kTargetColour), 11 * 27 * 27);
}

}  // namespace
}  // namespace tavori
