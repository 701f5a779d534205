// The reading commands through the App: loading, the dialog, cancels and the start-up text.
#include <gtest/gtest.h>

#include <algorithm>

#include "files/files.h"
#include "reading/reading_test_support.h"
#include "shell/app.h"
#include "shell/menu.h"
#include "support/app_state_access.h"
#include "support/fake_platform.h"

namespace tavori {
namespace {

using testing::FakePlatform;

bool emptyText(const ReadingState& reading) {
    return std::all_of(reading.readingText.begin(), reading.readingText.end(), [](char b) { return b == '\0'; }) &&
           reading.readingText.size() >= static_cast<std::size_t>(kLoadPadding) - 1;
}

std::string textOf(const ReadingState& reading) { return std::string(reading.readingText.data()); }

class ReadingCommands : public ::testing::Test {
protected:
    ReadingCommands() : app(platform, AppConfig{1, ""}) {
        platform.addFile(platform.besideExecutable("w.txt"), "bundled\r\n");
        app.startUp();
    }

    FakePlatform platform;
    App app;
};

TEST_F(ReadingCommands, CancelBeforeAnyChoiceKeepsTheTextAndPosition) {
    AppStateAccess::reading(app).readingPosition = 4;
    app.command(CommandId::LoadReadingText);
    ASSERT_EQ(platform.dialogRequests.size(), 1u);
    EXPECT_EQ(platform.dialogRequests[0].description, "txt Files(*.txt)");
    EXPECT_EQ(platform.dialogRequests[0].pattern, "*.txt");
    EXPECT_EQ(platform.dialogRequests[0].title, "ファイルを開く");
    EXPECT_EQ(platform.dialogRequests[0].proposedName, "");
    EXPECT_EQ(textOf(app.reading()), "bundled\r\n");
    EXPECT_EQ(app.reading().readingPosition, 4);
    EXPECT_EQ(app.shell().currentMode, Mode::SpeedReading);
}

TEST_F(ReadingCommands, ChosenFileLoadsAndACancelLaterKeepsTextAndPosition) {
    // Shift-JIS with mixed line ends: each LF breaks a row as CR LF does.
    platform.addFile("/home/r/sjis.txt", "\x82\xA0\n\x82\xA2\r\nz");
    platform.dialogAnswers = {std::string("/home/r/sjis.txt")};
    AppStateAccess::reading(app).readingPosition = 5;
    app.command(CommandId::LoadReadingText);
    EXPECT_EQ(textOf(app.reading()), "\x82\xA0\r\n\x82\xA2\r\nz");
    EXPECT_EQ(app.reading().readingPosition, 0);
    AppStateAccess::reading(app).linesPerScreen = 2;
    PageRows rows;
    buildReadingPage(AppStateAccess::reading(app), rows);
    EXPECT_EQ(testing::rowText(rows[1]), "\x82\xA2" + std::string(30, ' '));
    // A cancel keeps the name, the text and the place in it.
    platform.files["/home/r/sjis.txt"].content = "b";
    app.command(CommandId::LoadReadingText);
    EXPECT_EQ(platform.dialogRequests.back().proposedName, "/home/r/sjis.txt");
    EXPECT_EQ(textOf(app.reading()), "\x82\xA0\r\n\x82\xA2\r\nz");
    EXPECT_EQ(app.reading().readingPosition, 8);
}

TEST_F(ReadingCommands, TicksUnderTheDialogPageTheOldTextAndTheSecondClearRemovesIt) {
    app.command(CommandId::displayTenths(1));
    app.command(CommandId::lines(1));
    platform.addFile("/home/r/empty.txt", "");
    platform.dialogAnswers = {std::string("/home/r/empty.txt")};
    int oldGlyphs = 0;
    platform.whileDialogOpen = [this, &oldGlyphs] {
        app.tick();
        oldGlyphs = platform.window().countPixels(0, 0, 1000, 600, kWhite);
    };
    app.command(CommandId::LoadReadingText);
    EXPECT_EQ(oldGlyphs, 7);  // "bundled"
    EXPECT_EQ(platform.window().countPixels(0, 0, 1000, 600, kWhite), 0);
}

TEST_F(ReadingCommands, LoadingKeepsThePositionAndAMissingFileGivesTheEmptyText) {
    AppStateAccess::reading(app).readingPosition = 7;
    loadReadingText(AppStateAccess::reading(app), platform, "/nowhere.txt");
    EXPECT_TRUE(emptyText(app.reading()));
    EXPECT_EQ(app.reading().readingPosition, 7);
}

TEST_F(ReadingCommands, EnteringThreeRowsPagesTheTextOnScreen) {
    app.command(CommandId::displayTenths(5));  // 0.5 s
    app.command(CommandId::lines(3));
    // The command's own step counts; the fifth step after it shows the first page.
    for (int i = 0; i < 4; ++i) app.tick();
    EXPECT_TRUE(platform.window().textRuns().empty());
    app.tick();
    ASSERT_EQ(platform.window().textRuns().size(), 2u);  // "bundled", then a blank row
    EXPECT_EQ(platform.window().textRuns()[0].bytes, "bundled" + std::string(26, ' '));
}

}  // namespace
}  // namespace tavori
