// A reading test driven through App with an injected clock: the figures exact, the record's
// line and the report's chart; an abandoned test; the reader's own text from its place.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "record/history.h"
#include "record/report.h"
#include "shell/app.h"
#include "support/fake_platform.h"

namespace tavori {
namespace {

using testing::FakePlatform;

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class ReadingTestApp : public ::testing::Test {
protected:
    ReadingTestApp() {
        const auto data = std::filesystem::path(TAVORI_SOURCE_DATA_DIR);
        platform.addFile(platform.besideExecutable("w.txt"), fileBytes(data / "w.txt"));
        for (const char* name : {"easy-1.txt", "easy-2.txt"}) {
            platform.addFile(platform.besideExecutable(std::string("passages/") + name), fileBytes(data / "passages" / name));
        }
        app = std::make_unique<App>(platform, AppConfig{7, ""});
        app->startUp();
    }

    // Reads to the last page, `milliseconds` after the first, and answers every question with
    // the right row while `right` lasts, with a wrong one after.
    void readAndAnswer(std::int64_t milliseconds, int right) {
        app->key(Key::Right);  // the clock starts at the first page
        const std::int64_t start = platform.milliseconds;
        while (app->readingTest().phase == TestPhase::Reading) {
            if (app->readingTest().pages.pagesShown.back().end == 0) platform.milliseconds = start + milliseconds;
            app->key(Key::Right);
        }
        for (int asked = 0; app->readingTest().phase == TestPhase::Question; ++asked) {
            platform.milliseconds += 4000;  // answering takes time the speed does not count
            const int answer = app->readingTest().questions[app->readingTest().questionIndex].answer;
            app->key(asked < right ? Key(static_cast<int>(Key::One) + answer) : Key(static_cast<int>(Key::One) + (answer + 1) % 3));
            app->key(Key::Space);
        }
    }

    FakePlatform platform;
    std::unique_ptr<App> app;
};

TEST_F(ReadingTestApp, AWholeTestGivesExactFiguresItsRecordLineAndItsChartPoint) {
    app->command(CommandId::TestEasy);
    ASSERT_EQ(app->readingTest().phase, TestPhase::Intro);
    const std::int64_t characters = app->readingTest().test.characters;
    ASSERT_GT(characters, 1500);
    // Three minutes of reading, four right of five.
    readAndAnswer(180000, 4);
    const TestResult& result = app->readingTest().test;
    ASSERT_EQ(app->readingTest().phase, TestPhase::Result);
    EXPECT_EQ(result.questions, 5);
    EXPECT_EQ(result.right, 4);
    EXPECT_EQ(result.milliseconds, 180000);
    EXPECT_EQ(result.perMinute(), characters / 3);
    EXPECT_EQ(result.effectivePerMinute(), characters / 3 * 4 / 5);
    EXPECT_NE(app->statusLine().find("実効 "), std::string::npos);
    // The next test of the level is its other passage; leaving for it writes this one's line.
    app->command(CommandId::TestEasy);
    const std::vector<SessionRecord> sessions = parseHistory(platform.storedFiles["history.tsv"]);
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_EQ(sessions[0].exercise, RecordedExercise::ReadingTest);
    EXPECT_EQ(sessions[0].testLevel, 1);
    EXPECT_EQ(sessions[0].charactersShown, characters);
    EXPECT_EQ(sessions[0].activeMilliseconds, 180000);
    EXPECT_EQ(sessions[0].measuredPerMinute, characters / 3);
    EXPECT_EQ(sessions[0].effectivePerMinute, characters / 3 * 4 / 5);
    EXPECT_EQ(sessions[0].meanAnswerMilliseconds, 4000);
    EXPECT_FALSE(sessions[0].abandoned);
    EXPECT_NE(app->readingTest().test.title, sessions[0].textName);
    const std::string html = reportHtml(sessions, platform.localTime());
    EXPECT_NE(html.find("data-series=\"test-effective\""), std::string::npos);
    EXPECT_NE(html.find("data-value=\"" + std::to_string(characters / 3 * 4 / 5) + ".0\""), std::string::npos);
    // Esc abandons the second test once its clock has run; the record says so, and 結果 still
    // shows the first test's results.
    app->key(Key::Right);
    app->key(Key::Escape);
    EXPECT_EQ(app->readingTest().phase, TestPhase::Abandoned);
    app->command(CommandId::TestResults);
    const std::vector<SessionRecord> both = parseHistory(platform.storedFiles["history.tsv"]);
    ASSERT_EQ(both.size(), 2u);
    EXPECT_TRUE(both[1].abandoned);
    app->tick();
    EXPECT_EQ(app->readingTest().phase, TestPhase::Result);
    EXPECT_EQ(app->readingTest().test.right, 4);
}

TEST_F(ReadingTestApp, AnotherExerciseAbandonsATestAndTheOwnTextStartsAtItsPlace) {
    app->command(CommandId::lines(3));
    for (int page = 0; page < 20; ++page) app->key(Key::Right);
    const std::int32_t place = app->reading().pagesShown.back().start;
    app->command(CommandId::TestOwnText);
    app->tick();
    const std::vector<char>& passage = app->readingTest().pages.readingText;
    EXPECT_TRUE(std::equal(passage.begin(), passage.begin() + 40, app->reading().readingText.begin() + place));
    EXPECT_EQ(app->readingTest().pages.linesPerScreen, 3);
    // An introduction left is no test; one whose clock ran is recorded as abandoned.
    app->command(CommandId::MazeSmall);
    EXPECT_EQ(parseHistory(platform.storedFiles["history.tsv"]).back().exercise, RecordedExercise::Reading);
    app->command(CommandId::TestOwnText);
    app->key(Key::Right);
    app->command(CommandId::MazeSmall);
    EXPECT_TRUE(parseHistory(platform.storedFiles["history.tsv"]).back().abandoned);
    // A passage not beside the program: its introduction says so, and → starts nothing.
    app->command(CommandId::TestEasy + 2);
    app->key(Key::Right);
    EXPECT_EQ(app->readingTest().phase, TestPhase::Intro);
    EXPECT_EQ(app->readingTest().test.characters, 0);
}

}  // namespace
}  // namespace tavori
