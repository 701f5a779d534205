// stepMode's dispatch, the tick, mouse routing by mode and the maze-only repaint.
#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "maze/maze_test_support.h"
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

// The maze's and the puzzle's status lines: what each figure says, how it is rounded, and
// nothing at all before the puzzle's first set-up.
TEST_F(AppRouting, MazeAndPuzzleStatusLinesSayTheirFigures) {
    app.command(CommandId::MazeSmall);
    EXPECT_EQ(app.statusLine(), "目標を探しています　解いた迷路 0");
    MazeState& maze = AppStateAccess::maze(app);
    maze.solvedInMilliseconds = 12'399;  // tenths are cut, not rounded
    maze.mazesSolved = 3;
    maze.solvingMilliseconds = 30'299;
    EXPECT_EQ(app.statusLine(), "この迷路 12.3 秒　解いた迷路 3　平均 10.0 秒");

    AppStateAccess::shell(app).currentMode = Mode::Puzzle;
    EXPECT_EQ(app.statusLine(), "");
    app.command(CommandId::Puzzle);
    for (int tick = 0; tick < 19; ++tick) app.tick();
    PuzzleState& puzzle = AppStateAccess::puzzle(app);
    std::int32_t group = 0;
    for (auto& column : puzzle.tiles) {
        for (Tile& tile : column) tile.group = ++group;
    }
    // Tiles count as joined only in a group of two or more.
    puzzle.tiles[0][0].group = puzzle.tiles[0][1].group = puzzle.tiles[1][1].group = 99;
    EXPECT_EQ(app.statusLine(), "1 秒　つながったタイル 3/15");
}

// The front end's timer sleeps while the core waits for input, so a tick then must change
// nothing at all; every other exercise steps on time.
TEST_F(AppRouting, OnlyAMazeBetweenItsStepsWaitsForInput) {
    for (const int command : {CommandId::Puzzle, CommandId::lines(4), CommandId::LoadTemplate}) {
        app.command(command);
        EXPECT_FALSE(app.waitsForInput()) << command;
    }
    app.command(CommandId::MazeSmall);
    app.mouseDown(3, 3);
    ASSERT_TRUE(app.waitsForInput());
    const std::vector<Colour> before = testing::snapshot(platform.window());
    app.tick();
    EXPECT_EQ(testing::snapshot(platform.window()), before);
    app.destroy();
    EXPECT_TRUE(app.waitsForInput());
}

// While steps only repeat, a front end's timer sleeps and hands the grid points it slept
// through to passSteps: the screen and every count must be as if each step had run, and any
// other entry point ends the sleep.
TEST(AppSteps, PassedStepsCountAsRunOnesWhileStepsOnlyRepeat) {
    const struct {
        const char* exercise;
        void (*enter)(App&);
        void (*input)(App&);
    } cases[] = {
        {"image practice, start screen", [](App&) {}, [](App& app) { app.mouseDown(5, 5); }},
        {"image practice, answer rows", [](App& app) { app.mouseDown(5, 5); },
         [](App& app) { app.command(CommandId::AnswerFirst + 1); }},
        {"puzzle", [](App& app) { app.command(CommandId::Puzzle); }, [](App& app) { app.paint(); }},
        {"paused page", [](App& app) { app.command(CommandId::lines(4)), app.command(CommandId::PauseOrResume); },
         [](App& app) { app.command(CommandId::PauseOrResume); }},
    };
    const auto counts = [](const App& app) {
        return std::tuple(app.imagePractice().questionPhase, app.imagePractice().questionSteps,
                          app.imagePractice().ticksSinceCandidates, app.puzzle().puzzlePhase,
                          app.puzzle().stepsSinceScatter, app.reading().measuredTicks, app.statusLine());
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exercise);
        FakePlatform ranPlatform, passedPlatform;
        App ran(ranPlatform, AppConfig{1, ""}), passed(passedPlatform, AppConfig{1, ""});
        for (App* app : {&ran, &passed}) {
            app->startUp();
            c.enter(*app);
            EXPECT_FALSE(app->stepsOnlyRepeat());
        }
        for (int tick = 0; tick < 20 && !passed.stepsOnlyRepeat(); ++tick) {
            ran.tick(), passed.tick();
        }
        ASSERT_TRUE(passed.stepsOnlyRepeat());
        const std::vector<Colour> shown = testing::snapshot(ranPlatform.window());
        for (int tick = 0; tick < 7; ++tick) {
            ran.tick();
            EXPECT_TRUE(ran.stepsOnlyRepeat());
        }
        passed.passSteps(7);
        EXPECT_EQ(testing::snapshot(ranPlatform.window()), shown);
        EXPECT_EQ(testing::snapshot(passedPlatform.window()), shown);
        EXPECT_EQ(counts(passed), counts(ran));
        c.input(ran), c.input(passed);
        EXPECT_FALSE(passed.stepsOnlyRepeat());
        passed.passSteps(3);  // nothing, now that steps may change the screen
        EXPECT_EQ(counts(passed), counts(ran));
    }
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

// Whatever ints a platform reports, the exercises see them held: an extreme pointer or client
// size leaves the same outcomes, state and pixels as the nearest value the core takes.
TEST(AppEdge, ExtremeIntsActAsTheNearestHeldValue) {
    // What a run leaves: outcomes, the grabbed tile's column, the stored client size, the maze
    // cycle, the question state and every pixel.
    const auto run = [](int command, ClientSize reported, int x, int y) {
        FakePlatform platform(40, 40);
        platform.reportClientSize(reported.width, reported.height);
        App app(platform, AppConfig{7, ""});
        app.startUp();
        app.command(command);
        app.tick();
        const Tile first = app.puzzle().tiles[0][0];
        std::vector<std::int64_t> trace{static_cast<int>(app.mouseDown(first.x + 1, first.y + 1))};  // a grab
        for (int round = 0; round < 2; ++round) {
            app.mouseMove(x, y);
            trace.insert(trace.end(), {static_cast<int>(app.mouseUp(x, y)), static_cast<int>(app.mouseDown(x, y))});
        }
        app.paint();
        app.tick();
        for (const Tile& tile : app.puzzle().tiles[0]) {
            trace.insert(trace.end(), {tile.x, tile.y, tile.group});
        }
        trace.insert(trace.end(), {app.shell().clientWidth, app.shell().clientHeight,
                                   app.maze().mazeSolutionNext, static_cast<int>(app.imagePractice().questionPhase),
                                   app.imagePractice().questionSteps});
        const std::vector<Colour> pixels = testing::snapshot(platform.window());
        trace.insert(trace.end(), pixels.begin(), pixels.end());
        return trace;
    };
    constexpr int kFar = 1 << 24;
    const struct {
        int command;
        ClientSize reported, held;
        int x, y, heldX, heldY;
    } cases[] = {
        {CommandId::Puzzle, {1000, 600}, {1000, 600}, INT_MAX, INT_MIN, kFar, -kFar},
        {CommandId::Puzzle, {1000, 600}, {1000, 600}, -kFar - 1, kFar + 1, -kFar, kFar},
        {CommandId::Puzzle, {INT_MAX, 70000}, {65535, 65535}, -7, 5, -7, 5},
        {CommandId::Puzzle, {-5, INT_MIN}, {0, 0}, 3, 4, 3, 4},
        {CommandId::MazeSmall, {INT_MAX, INT_MAX}, {65535, 65535}, INT_MAX, INT_MAX, kFar, kFar},
        {CommandId::MazeLarge, {-1, INT_MIN}, {0, 0}, INT_MIN, 5, -kFar, 5},
        {CommandId::LoadTemplate, {INT_MAX, INT_MAX}, {65535, 65535}, INT_MAX, INT_MIN, kFar, -kFar},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(run(row.command, row.reported, row.x, row.y), run(row.command, row.held, row.heldX, row.heldY))
            << row.command << ": " << row.reported.width << "x" << row.reported.height << " at " << row.x << "," << row.y;
    }
}

}  // namespace
}  // namespace tavori
