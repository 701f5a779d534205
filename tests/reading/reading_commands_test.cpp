// The reading commands through the App: loading, the dialog, cancels and the start-up text.
#include <gtest/gtest.h>

#include <algorithm>

#include "files/files.h"
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

TEST_F(ReadingCommands, CancelBeforeAnyChoiceEmptiesTheText) {
    AppStateAccess::reading(app).readingPosition = 4;
    app.command(CommandId::LoadReadingText);
    ASSERT_EQ(platform.dialogRequests.size(), 1u);
    EXPECT_EQ(platform.dialogRequests[0].description, "txt Files(*.txt)");
    EXPECT_EQ(platform.dialogRequests[0].pattern, "*.txt");
    EXPECT_EQ(platform.dialogRequests[0].title, "ファイルを開く");
    EXPECT_EQ(platform.dialogRequests[0].proposedName, "");
    EXPECT_TRUE(emptyText(app.reading()));
    EXPECT_EQ(app.reading().readingPosition, 0);
    EXPECT_EQ(app.shell().currentMode, Mode::SpeedReading);
}

TEST_F(ReadingCommands, ChosenFileLoadsAndACancelLaterReloadsIt) {
    platform.addFile("/home/r/utf8.txt", "あ\nい");
    platform.dialogAnswers = {std::string("/home/r/utf8.txt")};
    app.command(CommandId::LoadReadingText);
    EXPECT_EQ(textOf(app.reading()), "\x82\xA0\r\n\x82\xA2");
    EXPECT_EQ(app.reading().readingFileName, "/home/r/utf8.txt");
    // A cancel keeps the name, and that file loads again from its start.
    AppStateAccess::reading(app).readingPosition = 3;
    platform.files["/home/r/utf8.txt"].content = "b";
    app.command(CommandId::LoadReadingText);
    EXPECT_EQ(platform.dialogRequests.back().proposedName, "/home/r/utf8.txt");
    EXPECT_EQ(textOf(app.reading()), "b");
    EXPECT_EQ(app.reading().readingPosition, 0);
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
