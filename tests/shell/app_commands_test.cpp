// Every menu command's own effect, its clears, its mode, and the step that follows it.
#include <gtest/gtest.h>

#include "shell/app.h"
#include "shell/menu.h"
#include "support/app_state_access.h"
#include "support/fake_platform.h"

namespace tavori {
namespace {

using testing::FakePlatform;

constexpr Colour kRed = rgb(255, 0, 0);

class AppCommands : public ::testing::Test {
protected:
    AppCommands() : app(platform, AppConfig{1, "https://example.invalid/tavori"}) {
        app.startUp();
    }

    // Paints the client area red behind the program's back, as the platform says with a paint,
    // so a test can see whether a command cleared it.
    void paintRed() {
        platform.window().fillRect(0, 0, 1000, 600, kRed);
        app.paint();
    }
    int redPixels() { return platform.window().countPixels(0, 0, 1000, 600, kRed); }

    FakePlatform platform;
    App app;
};

TEST_F(AppCommands, StartUpState) {
    EXPECT_EQ(app.shell().currentMode, Mode::ImagePractice);
    EXPECT_EQ(app.shell().displayTicks, 5);
    EXPECT_EQ(app.shell().clientWidth, 1000);
    EXPECT_EQ(app.shell().clientHeight, 600);
    EXPECT_EQ(app.imagePractice().questionPhase, QuestionPhase::Answered);
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
    for (int tenths = 1; tenths <= 10; ++tenths) {
        app.command(CommandId::displayTenths(tenths));
        EXPECT_EQ(app.shell().displayTicks, tenths);
    }
    for (int seconds = 2; seconds <= 5; ++seconds) {
        app.command(CommandId::displaySeconds(seconds));
        EXPECT_EQ(app.shell().displayTicks, 10 * seconds);
    }
    // A display time changes no mode.
    app.command(CommandId::Puzzle);
    app.command(CommandId::displayTenths(5));
    EXPECT_EQ(app.shell().currentMode, Mode::Puzzle);
    EXPECT_EQ(app.shell().displayTicks, 5);
}

TEST_F(AppCommands, RowsAndWidthsEnterSpeedReadingKeepingThePosition) {
    // 5.0 s: the 18 steps below never reach a page, which would move the position on.
    app.command(CommandId::displaySeconds(5));
    AppStateAccess::reading(app).readingPosition = 123;
    for (int rows = 1; rows <= 16; ++rows) {
        app.command(CommandId::Puzzle);
        paintRed();
        app.command(CommandId::lines(rows));
        EXPECT_EQ(app.reading().linesPerScreen, rows);
        EXPECT_EQ(app.shell().currentMode, Mode::SpeedReading);
        EXPECT_EQ(redPixels(), 0) << rows;
    }
    app.command(CommandId::EightCharacters);
    EXPECT_EQ(app.reading().bytesPerLine, 16);
    app.command(CommandId::SixteenCharacters);
    EXPECT_EQ(app.reading().bytesPerLine, 32);
    EXPECT_EQ(app.reading().readingPosition, 123);
    // 縦書き clears, checks its item and measures afresh, and the second use turns it off.
    AppStateAccess::reading(app).measuredCharacters = 99;
    for (const bool vertical : {true, false}) {
        app.command(CommandId::Puzzle);
        paintRed();
        app.command(CommandId::Vertical);
        EXPECT_EQ(app.reading().vertical, vertical);
        EXPECT_EQ(app.commandChecked(CommandId::Vertical), vertical);
        EXPECT_EQ(app.shell().currentMode, Mode::SpeedReading);
        EXPECT_EQ(redPixels(), 0);
        EXPECT_EQ(app.reading().measuredCharacters, 0);
        EXPECT_EQ(app.reading().readingPosition, 123);
    }
}

TEST_F(AppCommands, LoadReadingTextAsksForATxtFileAndRewinds) {
    AppStateAccess::reading(app).readingPosition = 50;
    platform.dialogAnswers.push_back("/home/reader/本.txt");
    app.command(CommandId::LoadReadingText);
    ASSERT_EQ(platform.dialogRequests.size(), 1u);
    EXPECT_EQ(platform.dialogRequests[0].description, "txt Files(*.txt)");
    EXPECT_EQ(platform.dialogRequests[0].pattern, "*.txt");
    EXPECT_EQ(platform.dialogRequests[0].title, "ファイルを開く");
    EXPECT_EQ(platform.dialogRequests[0].proposedName, "");
    EXPECT_EQ(app.reading().readingFileName, "/home/reader/本.txt");
    EXPECT_EQ(app.reading().readingPosition, 0);
    EXPECT_EQ(app.shell().currentMode, Mode::SpeedReading);
    // The next use proposes the previous choice; a cancel keeps it.
    app.command(CommandId::LoadReadingText);
    EXPECT_EQ(platform.dialogRequests[1].proposedName, "/home/reader/本.txt");
    EXPECT_EQ(app.reading().readingFileName, "/home/reader/本.txt");
}

TEST_F(AppCommands, LoadTemplateAsksForATvr3FileAndDueAQuestion) {
    app.command(CommandId::MazeSmall);
    const std::size_t openedBefore = platform.openedPaths.size();
    app.command(CommandId::LoadTemplate);
    ASSERT_EQ(platform.dialogRequests.size(), 1u);
    EXPECT_EQ(platform.dialogRequests[0].description, "tvr3 Files(*.tvr3)");
    EXPECT_EQ(platform.dialogRequests[0].pattern, "*.tvr3");
    // What a front end asks for before the command is what the command's dialog shows.
    EXPECT_EQ(commandFileFilter(CommandId::LoadTemplate)->pattern, "*.tvr3");
    EXPECT_EQ(commandFileFilter(CommandId::LoadReadingText)->pattern, "*.txt");
    EXPECT_FALSE(commandFileFilter(CommandId::Puzzle));
    EXPECT_EQ(platform.dialogRequests[0].title, "ファイルを開く");
    // Cancelled at the first use: nothing is read, the question still comes.
    EXPECT_EQ(platform.dialogRequests[0].proposedName, "tvr.tvr3");
    EXPECT_EQ(platform.openedPaths.size(), openedBefore);
    EXPECT_EQ(app.imagePractice().questionPhase, QuestionPhase::Shown);
    EXPECT_EQ(app.imagePractice().questionSteps, 1);
    EXPECT_EQ(app.shell().currentMode, Mode::ImagePractice);
}

TEST_F(AppCommands, PuzzleAndMazeReset) {
    AppStateAccess::puzzle(app).puzzlePhase = PuzzlePhase::Playing;
    AppStateAccess::puzzle(app).stepsSinceScatter = 6;
    paintRed();
    app.command(CommandId::Puzzle);
    EXPECT_EQ(app.shell().currentMode, Mode::Puzzle);
    EXPECT_EQ(redPixels(), 0);

    paintRed();
    app.command(CommandId::MazeSmall);
    EXPECT_EQ(app.shell().currentMode, Mode::Maze);
    EXPECT_EQ(app.maze().mazeWidth, 9);
    EXPECT_EQ(app.maze().mazeHeight, 9);
    // The common ending ran stepMaze at once: the new maze is shown, the route comes next.
    EXPECT_FALSE(app.maze().mazeStepPending);
    EXPECT_TRUE(app.maze().mazeSolutionNext);

    app.command(CommandId::MazeLarge);
    EXPECT_EQ(app.maze().mazeWidth, 11);
    EXPECT_EQ(app.maze().mazeHeight, 11);
    EXPECT_FALSE(app.maze().mazeStepPending);
    EXPECT_TRUE(app.maze().mazeSolutionNext);
}

TEST_F(AppCommands, HelpOpensTheDocumentBesideTheExecutable) {
    app.command(CommandId::Help);
    ASSERT_EQ(platform.shellRequests.size(), 1u);
    EXPECT_EQ(platform.shellRequests[0].target, "/opt/tavori/最初にお読みください.html");
    EXPECT_EQ(platform.shellRequests[0].owner, ShellOwner::MainWindow);
    EXPECT_EQ(app.shell().currentMode, Mode::ImagePractice);
}

TEST_F(AppCommands, QuitAsksToCloseTheWindowAndNothingStepsAfterIt) {
    app.command(CommandId::MazeSmall);
    const bool solutionNext = app.maze().mazeSolutionNext;
    EXPECT_EQ(app.command(CommandId::Quit), Outcome::CloseWindow);
    EXPECT_EQ(app.maze().mazeSolutionNext, solutionNext);
    EXPECT_TRUE(platform.shellRequests.empty());
    app.destroy();  // as the front end does once its window has gone
    EXPECT_TRUE(app.destroyed());
    ASSERT_EQ(platform.shellRequests.size(), 1u);
    EXPECT_EQ(platform.shellRequests[0].target, "https://example.invalid/tavori");
    EXPECT_EQ(platform.shellRequests[0].owner, ShellOwner::None);
    // Events that still arrive change nothing.
    EXPECT_EQ(app.command(CommandId::Quit), Outcome::None);
    app.command(CommandId::MazeLarge);
    app.tick();
    EXPECT_EQ(app.maze().mazeWidth, 9);
    EXPECT_EQ(app.maze().mazeSolutionNext, solutionNext);
    app.destroy();
    EXPECT_EQ(platform.shellRequests.size(), 1u);
}

TEST_F(AppCommands, UnknownIdsOnlyStep) {
    app.command(CommandId::MazeSmall);
    AppStateAccess::maze(app).mazeStepPending = true;
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
    using namespace CommandId;
    const std::pair<int, Mode> entering[] = {
        {LoadReadingText, Mode::SpeedReading}, {lines(1), Mode::SpeedReading},
        {lines(16), Mode::SpeedReading},       {EightCharacters, Mode::SpeedReading},
        {SixteenCharacters, Mode::SpeedReading}, {LoadTemplate, Mode::ImagePractice},
        {Puzzle, Mode::Puzzle},                {MazeSmall, Mode::Maze},
        {MazeLarge, Mode::Maze},               {Vertical, Mode::SpeedReading},
    };
    const int modeEntries[] = {LoadTemplate, LoadReadingText, MazeSmall, Puzzle};
    for (const int from : modeEntries) {
        for (const auto& [id, mode] : entering) {
            FakePlatform platform;
            App app(platform, AppConfig{1, ""});
            app.startUp();
            app.command(from);
            app.command(id);
            EXPECT_EQ(app.shell().currentMode, mode) << from << " then " << id;
            // Commands that change no mode leave it where it is.
            for (const int neutral : {displayTenths(1), displaySeconds(5), Help, 999}) {
                app.command(neutral);
                EXPECT_EQ(app.shell().currentMode, mode);
            }
        }
    }
}

}  // namespace
}  // namespace tavori
