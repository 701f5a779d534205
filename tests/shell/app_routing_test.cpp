// stepMode's dispatch, the tick, mouse routing by mode and the maze-only repaint.
#include <gtest/gtest.h>

#include "shell/app.h"
#include "shell/menu.h"
#include "support/app_state_access.h"
#include "support/fake_platform.h"

namespace tavori {
namespace {

using testing::FakePlatform;

class AppRouting : public ::testing::Test {
protected:
    AppRouting() : app(platform, AppConfig{1, ""}) { app.startUp(); }
    FakePlatform platform;
    App app;
};

TEST_F(AppRouting, TickStepsOnlyTheCurrentExercise) {
    app.command(CommandId::MazeSmall);  // maze shown, route next
    ASSERT_TRUE(app.maze().mazeSolutionNext);
    app.command(CommandId::Puzzle);  // leave for the puzzle
    AppStateAccess::maze(app).mazeStepPending = true;
    app.tick();
    // The maze did not step while the puzzle is the mode.
    EXPECT_TRUE(app.maze().mazeStepPending);
    AppStateAccess::shell(app).currentMode = Mode::Maze;
    app.tick();
    EXPECT_FALSE(app.maze().mazeStepPending);
}

TEST_F(AppRouting, PuzzlePressSetsButtonDownEvenOffEveryTile) {
    app.command(CommandId::Puzzle);
    EXPECT_EQ(app.mouseDown(-5, -5), Outcome::CaptureMouse);
    EXPECT_TRUE(app.puzzle().buttonDown);
    app.mouseMove(10, 10);
    EXPECT_EQ(app.mouseUp(3000, 3000), Outcome::ReleaseMouse);
    EXPECT_FALSE(app.puzzle().buttonDown);
}

TEST_F(AppRouting, ReleaseWithoutPressIsIgnored) {
    app.command(CommandId::Puzzle);
    AppStateAccess::puzzle(app).tileGrabbed = true;
    EXPECT_EQ(app.mouseUp(10, 10), Outcome::None);  // buttonDown was never set: no drop
    EXPECT_TRUE(app.puzzle().tileGrabbed);
    EXPECT_FALSE(app.puzzle().buttonDown);
}

TEST_F(AppRouting, PressesOutsideThePuzzleNeverSetButtonDown) {
    for (const int command : {CommandId::LoadReadingText, CommandId::LoadTemplate, CommandId::MazeSmall}) {
        app.command(command);
        EXPECT_EQ(app.mouseDown(100, 100), Outcome::None) << command;
        EXPECT_FALSE(app.puzzle().buttonDown) << command;
    }
}

TEST_F(AppRouting, PressInSpeedReadingDoesNothing) {
    app.command(CommandId::lines(1));
    const auto before = app.reading().pageTickCount;
    app.mouseDown(500, 300);
    app.mouseMove(501, 300);
    app.mouseUp(501, 300);
    EXPECT_EQ(app.reading().pageTickCount, before);
    EXPECT_EQ(app.shell().currentMode, Mode::SpeedReading);
}

TEST_F(AppRouting, PaintReadsTheClientSizeOnlyInTheMaze) {
    platform.setClientSize(800, 500);
    app.paint();
    EXPECT_EQ(app.shell().clientWidth, 1000);  // image practice: a paint changes nothing
    app.command(CommandId::Puzzle);
    app.paint();
    EXPECT_EQ(app.shell().clientWidth, 1000);
    app.command(CommandId::MazeLarge);
    app.paint();
    EXPECT_EQ(app.shell().clientWidth, 800);
    EXPECT_EQ(app.shell().clientHeight, 500);
}

}  // namespace
}  // namespace tavori
