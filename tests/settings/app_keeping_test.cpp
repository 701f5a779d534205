// What App keeps between runs: a restart finds the settings and the page as they were, a text
// is known again by its content after a move, an unwritable folder changes nothing else, and
// each session of an exercise becomes one line of the record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record/history.h"
#include "shell/app.h"
#include "support/fake_platform.h"

namespace tavori {
namespace {

using testing::FakePlatform;

std::string numberedLines(std::string_view word, int count) {
    std::string text;
    for (int line = 0; line < count; ++line) text += std::string(word) + " " + std::to_string(line) + "\r\n";
    return text;
}

class AppKeeping : public ::testing::Test {
protected:
    AppKeeping() {
        platform.addFile(platform.besideExecutable("w.txt"), numberedLines("line", 50));
        platform.addFile("/books/novel.txt", numberedLines("novel", 400));
    }
    std::unique_ptr<App> start() {
        auto app = std::make_unique<App>(platform, AppConfig{1, ""});
        app->startUp();
        return app;
    }
    std::string shownPage() { return platform.window().textRuns().back().bytes; }

    FakePlatform platform;
};

TEST_F(AppKeeping, ARestartFindsTheSettingsAndThePageOfATextMovedSince) {
    std::vector<std::string> pages;
    {
        const auto app = start();
        app->command(CommandId::lines(1));
        app->command(CommandId::displayTenths(1));
        app->command(CommandId::EightCharacters);
        platform.dialogAnswers.push_back("/books/novel.txt");
        app->command(CommandId::LoadReadingText);
        for (int tick = 0; tick < 60; ++tick) {
            app->tick();
            if (pages.empty() || shownPage() != pages.back()) pages.push_back(shownPage());
        }
        app->destroy();
    }
    ASSERT_GT(pages.size(), 20u);
    platform.files["/elsewhere/moved.txt"] = platform.files["/books/novel.txt"];
    platform.files.erase("/books/novel.txt");
    const auto app = start();
    for (const int id : {CommandId::lines(1), CommandId::displayTenths(1), CommandId::EightCharacters}) {
        EXPECT_TRUE(app->commandChecked(id)) << id;
    }
    // The text last opened is gone from its folder: the start-up text stands in, silently.
    EXPECT_EQ(app->reading().readingFileName, "");
    EXPECT_TRUE(platform.shellRequests.empty());
    platform.dialogAnswers.push_back("/elsewhere/moved.txt");
    const std::size_t runsBefore = platform.window().textRuns().size();
    app->command(CommandId::LoadReadingText);
    app->tick();
    ASSERT_GT(platform.window().textRuns().size(), runsBefore);
    EXPECT_EQ(platform.window().textRuns()[runsBefore].bytes, pages.back());
    app->key(Key::Left);
    EXPECT_EQ(shownPage(), pages[pages.size() - 2]);
    // Home starts it over, and a pause keeps that.
    app->key(Key::Home);
    app->key(Key::Space);
    EXPECT_EQ(start()->reading().readingPosition, 0);
    // 縦書き is kept once it has been used, and a restart draws the pages in columns.
    EXPECT_EQ(platform.storedFiles["settings.txt"].find("vertical="), std::string::npos);
    start()->command(CommandId::Vertical);
    const auto restarted = start();
    EXPECT_TRUE(restarted->commandChecked(CommandId::Vertical));
    platform.window().clearTextRuns();
    restarted->command(CommandId::lines(2));
    restarted->key(Key::Right);
    EXPECT_TRUE(platform.window().textRuns().empty());
    EXPECT_FALSE(platform.window().verticalCells().empty());
    restarted->command(CommandId::Vertical);
    EXPECT_NE(platform.storedFiles["settings.txt"].find("vertical=0\n"), std::string::npos);
    // So are phrase rows, a flash and a pace; a seconds item goes back to seconds a page.
    restarted->command(CommandId::PhraseRows);
    restarted->command(CommandId::PhraseFlashFirst + 1);
    restarted->command(CommandId::PaceFirst + 3);
    const auto again = start();
    for (const int id : {CommandId::PhraseRows, CommandId::PhraseFlashFirst + 1, CommandId::PaceFirst + 3}) {
        EXPECT_TRUE(again->commandChecked(id)) << id;
    }
    EXPECT_FALSE(again->commandChecked(CommandId::displayTenths(5)));
    again->command(CommandId::displayTenths(5));
    EXPECT_NE(platform.storedFiles["settings.txt"].find("pace=0\n"), std::string::npos);
}

TEST_F(AppKeeping, AFolderThatCannotBeWrittenChangesNothingElse) {
    platform.storedFiles["settings.txt"] = "rows=3\n";
    platform.storedWritesFail = true;
    const auto app = start();
    app->command(CommandId::lines(5));
    app->tick();
    EXPECT_TRUE(app->commandChecked(CommandId::lines(5)));
    app->destroy();
    EXPECT_EQ(platform.storedFiles["settings.txt"], "rows=3\n");
    EXPECT_EQ(platform.storedFiles.count("history.tsv"), 0u);
    // Written once per change: a settled state is not written again at the next command.
    platform.storedWritesFail = false;
    const auto again = start();
    again->command(CommandId::lines(5));
    again->command(CommandId::lines(5));
    EXPECT_EQ(platform.storedWrites["settings.txt"], 1);
}

TEST_F(AppKeeping, TwoCopiesRunningAtOnceKeepBothTheirPlaces) {
    const auto first = start();
    const auto second = start();
    platform.dialogAnswers.push_back("/books/novel.txt");
    first->command(CommandId::LoadReadingText);
    second->command(CommandId::lines(1));
    for (const auto& app : {first.get(), second.get()}) {
        app->key(Key::Right);
        app->key(Key::Right);
        app->key(Key::Space);
    }
    const StoredSettings kept = parseSettings(platform.storedFiles["settings.txt"]);
    ASSERT_EQ(kept.places.size(), 2u);
    EXPECT_EQ(kept.places[0].pageStart, second->reading().pagesShown.back().start);
    EXPECT_EQ(kept.places[1].pageStart, first->reading().pagesShown.back().start);
}

TEST_F(AppKeeping, EachSessionThatShowedSomethingIsOneLineOfTheRecord) {
    platform.now = {2026, 12, 8, 21, 5, 0};
    const auto app = start();
    // Image practice shown at start-up and left unanswered: not recorded.
    app->command(CommandId::lines(1));
    for (int tick = 0; tick < 18; ++tick) app->tick();
    app->command(CommandId::MazeSmall);
    const std::vector<SessionRecord> sessions = parseHistory(platform.storedFiles["history.tsv"]);
    ASSERT_EQ(sessions.size(), 1u);
    const SessionRecord& reading = sessions[0];
    EXPECT_EQ(reading.exercise, RecordedExercise::Reading);
    EXPECT_EQ(reading.start, platform.now);
    EXPECT_EQ(reading.textName, "w.txt");
    // The command's own step came before the session; then pages of "line N" (6 characters),
    // each for 0.5 s, at the 5th, 10th and 15th of 18 ticks.
    EXPECT_EQ(reading.charactersShown, 18);
    EXPECT_EQ(reading.activeMilliseconds, 1800);
    EXPECT_EQ(reading.nominalPerMinute, 720);
    EXPECT_EQ(reading.measuredPerMinute, 600);
    // The report is written beside it and opened with the shell.
    app->command(CommandId::Record);
    ASSERT_FALSE(platform.shellRequests.empty());
    EXPECT_EQ(platform.shellRequests.back().target, platform.storedFilePath("report.html"));
    EXPECT_NE(platform.storedFiles["report.html"].find("<svg"), std::string::npos);
}

TEST_F(AppKeeping, ASwitchOfDirectionEndsTheSessionAndBeginsOneInTheOther) {
    const auto app = start();
    app->command(CommandId::lines(1));
    for (int tick = 0; tick < 10; ++tick) app->tick();
    platform.now.minute = 15;
    app->command(CommandId::Vertical);
    for (int tick = 0; tick < 10; ++tick) app->tick();
    app->destroy();
    const std::vector<SessionRecord> sessions = parseHistory(platform.storedFiles["history.tsv"]);
    ASSERT_EQ(sessions.size(), 2u);
    // Pages at the 5th and 10th tick in rows; in columns the switch's own step and ten ticks,
    // with pages at the 4th and 9th.
    EXPECT_FALSE(sessions[0].vertical);
    EXPECT_EQ(sessions[0].charactersShown, 12);
    EXPECT_EQ(sessions[0].activeMilliseconds, 1000);
    EXPECT_TRUE(sessions[1].vertical);
    EXPECT_EQ(sessions[1].start.minute, 15);
    EXPECT_EQ(sessions[1].charactersShown, 12);
    EXPECT_EQ(sessions[1].activeMilliseconds, 1100);
}

}  // namespace
}  // namespace tavori
