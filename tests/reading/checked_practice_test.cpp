// Checked practice driven through App, one tick at a time: the question comes at the first page
// boundary past a stretch of 1,000 characters and is made from that stretch alone; simulated
// readers move the pace to the edge of what they answer; the keys and the item around a question.
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

class CheckedPracticeApp : public ::testing::Test {
protected:
    CheckedPracticeApp() {
        std::ifstream in(std::filesystem::path(TAVORI_SOURCE_DATA_DIR) / "w.txt", std::ios::binary);
        platform.addFile(platform.besideExecutable("w.txt"), {std::istreambuf_iterator<char>(in), {}});
        restart();
    }
    void restart() {
        app = std::make_unique<App>(platform, AppConfig{11, ""});
        app->startUp();
    }
    const CheckedPractice& checked() const { return app->reading().checked; }
    // Ticks until a question shows (at most `ticks`).
    bool tickUntilQuestion(int ticks = 20000) {
        for (int tick = 0; tick < ticks && !checked().question; ++tick) app->tick();
        return checked().question.has_value();
    }
    void answer(bool right) {
        const int row = (checked().question->answer + (right ? 0 : 1)) % 3;
        app->key(static_cast<Key>(static_cast<int>(Key::One) + row));
    }

    FakePlatform platform;
    std::unique_ptr<App> app;
};

// In each way of showing the text: byte rows, phrase rows, columns, two-phrase flashes.
TEST_F(CheckedPracticeApp, AQuestionFollowsTheStretchAtAPageBoundaryAndNamesNothingLater) {
    for (const int layout : {CommandId::lines(4), CommandId::PhraseRows, CommandId::Vertical, CommandId::PhraseFlashFirst + 1}) {
        platform.storedFiles.clear();
        restart();
        app->command(CommandId::lines(4));
        app->command(layout);
        app->command(CommandId::CheckedPractice);
        EXPECT_TRUE(app->commandChecked(CommandId::CheckedPractice));
        EXPECT_EQ(app->shell().pacePerMinute, kFirstCheckedPace);  // from seconds a page
        const std::string_view text(app->reading().readingText.data());
        for (int question = 0; question < 6; ++question) {
            ASSERT_TRUE(tickUntilQuestion()) << question;
            const CheckedPractice& now = checked();
            const auto& last = app->reading().pagesShown.back();
            // The stretch ended with the page on screen, the first to take it to 1,000 characters.
            EXPECT_EQ(now.stretchEnd, last.end == 0 ? std::int64_t(app->reading().readingText.size()) : last.end);
            EXPECT_GE(now.stretchCharacters, kStretchCharacters);
            EXPECT_LT(now.stretchCharacters - last.characters, kStretchCharacters);
            // Every choice of a cloze, and the right sentence of the other kind, is in the stretch.
            const std::string_view stretch = text.substr(static_cast<std::size_t>(now.stretchStart),
                                                         static_cast<std::size_t>(std::min<std::int64_t>(now.stretchEnd, std::int64_t(text.size())) - now.stretchStart));
            const TestQuestion& asked = *now.question;
            for (int row = 0; row < 3; ++row) {
                if (asked.kind == QuestionKind::Cloze || row == asked.answer) {
                    EXPECT_NE(stretch.find(asked.choices[static_cast<std::size_t>(row)]), std::string_view::npos) << question;
                }
            }
            // Nothing counts while the question waits.
            const std::int64_t ticks = app->reading().ticksInAll;
            EXPECT_TRUE(app->waitsForInput());
            app->tick();
            EXPECT_EQ(app->reading().ticksInAll, ticks);
            answer(true);
            app->key(Key::Space);
        }
        // Two right answers a step: 600 → 800 → 1000 → 1200.
        EXPECT_EQ(app->shell().pacePerMinute, 1200) << layout;
        EXPECT_NE(app->statusLine().find("確認 正解 6/6（100%）"), std::string::npos);
    }
}

TEST_F(CheckedPracticeApp, SimulatedReadersSettleAtWhatTheyAnswerAndTheRecordKeepsIt) {
    const struct {
        int startItem;
        std::int32_t limit, settled;  // right at `limit` or slower; where the pace ends
    } readers[] = {{CommandId::PaceFirst, 1000, 1000}, {CommandId::PaceLast, 1000, 1000},
                   {CommandId::PaceFirst, 100000, 5000}, {CommandId::PaceLast, 0, 300}};
    for (const auto& reader : readers) {
        platform.storedFiles.clear();  // a reader of their own
        restart();
        app->command(CommandId::lines(16));
        app->command(reader.startItem);
        app->command(CommandId::CheckedPractice);
        for (int question = 0; question < 30; ++question) {
            ASSERT_TRUE(tickUntilQuestion());
            answer(app->shell().pacePerMinute <= reader.limit);
            app->key(Key::Right);
        }
        // Within a step of the limit: one above after two right, the limit after a wrong one.
        const std::int32_t pace = app->shell().pacePerMinute;
        EXPECT_TRUE(pace == reader.settled || pace == steppedPace(reader.settled, -1)) << reader.limit << " " << pace;
        app->command(CommandId::MazeSmall);  // ends the session
        const std::vector<SessionRecord> sessions = parseHistory(platform.storedFiles["history.tsv"]);
        ASSERT_FALSE(sessions.empty());
        EXPECT_EQ(sessions.back().questions, 30);
        EXPECT_EQ(sessions.back().pacePerMinute, pace);
        EXPECT_EQ(sessions.back().heldPerMinute, reader.limit > 0 ? reader.settled : 0) << reader.limit;
        // The report draws the day's pace held beside the reading test's figures.
        const std::string html = reportHtml(sessions, platform.localTime());
        EXPECT_EQ(html.find("data-series=\"checked-held\"") != std::string::npos, reader.limit > 0);
        if (reader.limit > 0) {
            EXPECT_NE(html.find("data-value=\"" + std::to_string(reader.settled) + ".0\""), std::string::npos);
        }
    }
    // The pace reached and the item are where the next run starts.
    const std::int32_t pace = app->shell().pacePerMinute;
    app->destroy();
    restart();
    EXPECT_EQ(app->shell().pacePerMinute, pace);
    EXPECT_TRUE(app->commandChecked(CommandId::CheckedPractice));
}

TEST_F(CheckedPracticeApp, KeysWaitForTheAnswerAndTheItemOffOrSecondsSetTheQuestionAside) {
    app->command(CommandId::lines(8));
    app->command(CommandId::PaceFirst + 5);  // 1000 文字/分
    app->command(CommandId::CheckedPractice);
    ASSERT_TRUE(tickUntilQuestion());
    const auto pages = app->reading().pagesShown.size();
    for (Key key : {Key::Right, Key::Left, Key::Home, Key::Space}) app->key(key);
    EXPECT_EQ(app->reading().pagesShown.size(), pages);
    EXPECT_FALSE(app->commandAvailable(CommandId::NextPage));
    EXPECT_TRUE(app->commandAvailable(CommandId::TestAnswerFirst));
    // Off mid-question: the question goes unanswered, the next page shows at once, the pace stays.
    app->command(CommandId::CheckedPractice);
    EXPECT_FALSE(checked().question);
    EXPECT_EQ(app->reading().pagesShown.size(), pages + 1);
    EXPECT_EQ(app->shell().pacePerMinute, 1000);
    EXPECT_EQ(checked().pace.asked, 0);
    EXPECT_FALSE(app->commandAvailable(CommandId::TestAnswerFirst));
    // A click inside a row answers; after it ← shows the last page again, Home the first.
    app->command(CommandId::CheckedPractice);
    for (CommandAction after : {CommandAction::PreviousPage, CommandAction::FromTheBeginning}) {
        ASSERT_TRUE(tickUntilQuestion());
        const std::int32_t lastPage = app->reading().pagesShown.back().start;
        const int row = checked().question->answer;
        app->mouseDown(app->shell().clientWidth / 2, app->shell().clientHeight / 2 + 50 * row + 16);
        EXPECT_EQ(checked().chosenRow, row);
        app->key(after == CommandAction::PreviousPage ? Key::Left : Key::Home);
        EXPECT_FALSE(checked().question);
        EXPECT_EQ(app->reading().pagesShown.back().start, after == CommandAction::PreviousPage ? lastPage : 0);
    }
    // Seconds a page end checked practice, and its question.
    ASSERT_TRUE(tickUntilQuestion());
    app->command(CommandId::displayTenths(5));
    EXPECT_FALSE(checked().on);
    EXPECT_FALSE(checked().question);
}

// A text with no sentence to ask about (one line of 8,000 characters) pages on without a
// question: its stretch starts over at 3,000 characters rather than growing with every page.
TEST_F(CheckedPracticeApp, ATextWithNothingToAskAboutPagesOn) {
    platform.addFile(platform.besideExecutable("w.txt"), std::string(8000, 'a'));
    restart();
    app->command(CommandId::lines(16));
    app->command(CommandId::CheckedPractice);
    EXPECT_FALSE(tickUntilQuestion(20000));
    EXPECT_GT(app->reading().charactersShownInAll, 2 * 8000);  // through the text twice
    EXPECT_LT(checked().stretchCharacters, kLongestStretch + 512);
}

}  // namespace
}  // namespace tavori
