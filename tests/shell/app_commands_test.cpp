// Every menu command's own effect, its clears, its mode, and the step that follows it.
#include <gtest/gtest.h>

#include "shell/app.h"
#include "shell/menu.h"
#include "support/fake_platform.h"

namespace tavori {
namespace {

using testing::FakePlatform;

constexpr Colour kRed = rgb(255, 0, 0);

class AppCommands : public ::testing::Test {
protected:
    AppCommands() : app(platform, AppConfig{1, "https://example.invalid/tavori"}) {
        platform.onCloseWindow = [this] { app.destroy(); };
        app.startUp();
    }

    // Paints the client area red so a test can see whether a command cleared it.
    void paintRed() { platform.window().fillRect(0, 0, 1000, 600, kRed); }
    int redPixels() { return platform.window().countPixels(0, 0, 1000, 600, kRed); }

    FakePlatform platform;
    App app;
};

TEST_F(AppCommands, StartUpState) {
    EXPECT_EQ(app.shell().currentMode, Mode::ImagePractice);
    EXPECT_EQ(app.shell().displayTicks, 5);
    EXPECT_EQ(app.shell().clientWidth, 1000);
    EXPECT_EQ(app.shell().clientHeight, 600);
    EXPECT_EQ(app.imagePractice().questionState, -1);
    EXPECT_EQ(app.imagePractice().templateFileName, "tvr.tvr3");
    EXPECT_EQ(app.reading().linesPerScreen, 1);
    EXPECT_EQ(app.reading().bytesPerLine, 32);
    EXPECT_EQ(app.reading().readingPosition, 0);
    EXPECT_TRUE(app.reading().readingFileName.empty());
    // The start-up loads look beside the executable, reading text first.
    ASSERT_GE(platform.openedPaths.size(), 2u);
    EXPECT_EQ(platform.openedPaths[0], "/opt/tavori/w.txt");
    EXPECT_EQ(platform.openedPaths[1], "/opt/tavori/tvr.tvr3");
}

TEST_F(AppCommands, DisplayTimes) {
    for (int id = 251; id <= 260; ++id) {
        app.command(id);
        EXPECT_EQ(app.shell().displayTicks, id - 250);
    }
    const std::pair<int, int> longTimes[] = {{261, 20}, {262, 30}, {263, 40}, {264, 50}};
    for (const auto& [id, ticks] : longTimes) {
        app.command(id);
        EXPECT_EQ(app.shell().displayTicks, ticks);
    }
    // A display time changes no mode.
    app.command(737);
    app.command(255);
    EXPECT_EQ(app.shell().currentMode, Mode::Puzzle);
    EXPECT_EQ(app.shell().displayTicks, 5);
}

TEST_F(AppCommands, RowsAndWidthsEnterSpeedReadingKeepingThePosition) {
    // 5.0 s: the 18 steps below never reach a page, which would move the position on.
    app.command(264);
    app.reading().readingPosition = 123;
    for (int id = 721; id <= 736; ++id) {
        app.command(737);
        paintRed();
        app.command(id);
        EXPECT_EQ(app.reading().linesPerScreen, id - 720);
        EXPECT_EQ(app.shell().currentMode, Mode::SpeedReading);
        EXPECT_EQ(redPixels(), 0) << id;
    }
    app.command(738);
    EXPECT_EQ(app.reading().bytesPerLine, 16);
    app.command(739);
    EXPECT_EQ(app.reading().bytesPerLine, 32);
    EXPECT_EQ(app.reading().readingPosition, 123);
}

TEST_F(AppCommands, LoadReadingTextAsksForATxtFileAndRewinds) {
    app.reading().readingPosition = 50;
    platform.dialogAnswers.push_back("/home/reader/本.txt");
    app.command(720);
    ASSERT_EQ(platform.dialogRequests.size(), 1u);
    EXPECT_EQ(platform.dialogRequests[0].description, "txt Files(*.txt)");
    EXPECT_EQ(platform.dialogRequests[0].pattern, "*.txt");
    EXPECT_EQ(platform.dialogRequests[0].title, "ファイルを開く");
    EXPECT_EQ(platform.dialogRequests[0].proposedName, "");
    EXPECT_EQ(app.reading().readingFileName, "/home/reader/本.txt");
    EXPECT_EQ(app.reading().readingPosition, 0);
    EXPECT_EQ(app.shell().currentMode, Mode::SpeedReading);
    // The next use proposes the previous choice; a cancel keeps it.
    app.command(720);
    EXPECT_EQ(platform.dialogRequests[1].proposedName, "/home/reader/本.txt");
    EXPECT_EQ(app.reading().readingFileName, "/home/reader/本.txt");
}

TEST_F(AppCommands, LoadTemplateAsksForATvr3FileAndDueAQuestion) {
    app.command(202);
    const std::size_t openedBefore = platform.openedPaths.size();
    app.command(851);
    ASSERT_EQ(platform.dialogRequests.size(), 1u);
    EXPECT_EQ(platform.dialogRequests[0].description, "tvr3 Files(*.tvr3)");
    EXPECT_EQ(platform.dialogRequests[0].pattern, "*.tvr3");
    EXPECT_EQ(platform.dialogRequests[0].title, "ファイルを開く");
    // Cancelled at the first use: nothing is read, the question still comes.
    EXPECT_EQ(platform.dialogRequests[0].proposedName, "tvr.tvr3");
    EXPECT_EQ(platform.openedPaths.size(), openedBefore);
    EXPECT_EQ(app.imagePractice().questionState, 1);
    EXPECT_EQ(app.shell().currentMode, Mode::ImagePractice);
}

TEST_F(AppCommands, PuzzleAndMazeReset) {
    app.puzzle().puzzleState = 7;
    paintRed();
    app.command(737);
    EXPECT_EQ(app.shell().currentMode, Mode::Puzzle);
    EXPECT_EQ(redPixels(), 0);

    paintRed();
    app.command(202);
    EXPECT_EQ(app.shell().currentMode, Mode::Maze);
    EXPECT_EQ(app.maze().mazeWidth, 9);
    EXPECT_EQ(app.maze().mazeHeight, 9);
    // The common ending ran stepMaze at once: the new maze is shown, the route comes next.
    EXPECT_FALSE(app.maze().mazeStepPending);
    EXPECT_TRUE(app.maze().mazeSolutionNext);

    app.command(703);
    EXPECT_EQ(app.maze().mazeWidth, 11);
    EXPECT_EQ(app.maze().mazeHeight, 11);
    EXPECT_FALSE(app.maze().mazeStepPending);
    EXPECT_TRUE(app.maze().mazeSolutionNext);
}

TEST_F(AppCommands, HelpOpensTheDocumentBesideTheExecutable) {
    app.command(800);
    ASSERT_EQ(platform.shellRequests.size(), 1u);
    EXPECT_EQ(platform.shellRequests[0].target, "/opt/tavori/最初にお読みください.html");
    EXPECT_EQ(platform.shellRequests[0].owner, ShellOwner::MainWindow);
    EXPECT_EQ(app.shell().currentMode, Mode::ImagePractice);
}

TEST_F(AppCommands, QuitClosesTheWindowAndNothingStepsAfterIt) {
    app.command(202);
    app.command(500);
    EXPECT_EQ(platform.closeRequests, 1);
    EXPECT_TRUE(app.destroyed());
    ASSERT_EQ(platform.shellRequests.size(), 1u);
    EXPECT_EQ(platform.shellRequests[0].target, "https://example.invalid/tavori");
    EXPECT_EQ(platform.shellRequests[0].owner, ShellOwner::None);
    // Events that still arrive change nothing.
    const bool solutionNext = app.maze().mazeSolutionNext;
    app.command(703);
    app.tick();
    EXPECT_EQ(app.maze().mazeWidth, 9);
    EXPECT_EQ(app.maze().mazeSolutionNext, solutionNext);
    app.destroy();
    EXPECT_EQ(platform.shellRequests.size(), 1u);
}

TEST_F(AppCommands, UnknownIdsOnlyStep) {
    app.command(202);
    app.maze().mazeStepPending = true;
    app.command(12345);
    app.command(0);
    app.command(-1);
    EXPECT_EQ(app.shell().currentMode, Mode::Maze);
    EXPECT_EQ(app.maze().mazeWidth, 9);
    EXPECT_FALSE(app.maze().mazeStepPending);  // the first unknown command's step took it
}

TEST(AppHomePage, EmptyAddressMakesNoRequest) {
    FakePlatform platform;
    App app(platform, AppConfig{1, ""});
    app.destroy();
    EXPECT_TRUE(platform.shellRequests.empty());
}

TEST(AppModeTable, EveryEnteringCommandReachesItsModeFromEveryMode) {
    const std::pair<int, Mode> entering[] = {
        {720, Mode::SpeedReading}, {721, Mode::SpeedReading}, {736, Mode::SpeedReading},
        {738, Mode::SpeedReading}, {739, Mode::SpeedReading}, {851, Mode::ImagePractice},
        {737, Mode::Puzzle},       {202, Mode::Maze},         {703, Mode::Maze},
    };
    const int modeEntries[] = {851, 720, 202, 737};
    for (const int from : modeEntries) {
        for (const auto& [id, mode] : entering) {
            FakePlatform platform;
            App app(platform, AppConfig{1, ""});
            app.startUp();
            app.command(from);
            app.command(id);
            EXPECT_EQ(app.shell().currentMode, mode) << from << " then " << id;
            // Commands that change no mode leave it where it is.
            for (const int neutral : {251, 264, 800, 999}) {
                app.command(neutral);
                EXPECT_EQ(app.shell().currentMode, mode);
            }
        }
    }
}

}  // namespace
}  // namespace tavori
