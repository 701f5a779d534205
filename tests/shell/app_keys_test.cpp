// Keys through the App: pausing, paging back across a long text, answers by row; and the
// status line's figures for known pages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/app.h"
#include "shell/menu.h"
#include "support/app_state_access.h"
#include "support/fake_platform.h"

namespace tavori {
namespace {

using testing::FakePlatform;

class AppKeys : public ::testing::Test {
protected:
    explicit AppKeys(std::string text = "") : app(platform, AppConfig{1, ""}) {
        platform.addFile(platform.besideExecutable("w.txt"), std::move(text));
        app.startUp();
    }
    // The bytes of the page drawn last.
    std::string shownPage() { return platform.window().textRuns().back().bytes; }
    std::size_t drawnRuns() { return platform.window().textRuns().size(); }

    FakePlatform platform;
    App app;
};

std::string numberedLines(int count) {
    std::string text;
    for (int line = 0; line < count; ++line) text += "line " + std::to_string(line) + "\r\n";
    return text;
}

class LongText : public AppKeys {
protected:
    LongText() : AppKeys(numberedLines(600)) {}
};

TEST_F(LongText, PauseHoldsThePageAndBackGoesOverEveryPageShownToTheFirst) {
    app.command(CommandId::displayTenths(1));
    app.command(CommandId::lines(1));
    app.tick();
    const std::size_t runs = drawnRuns();
    app.key(Key::Space);
    for (int tick = 0; tick < 30; ++tick) app.tick();
    EXPECT_EQ(drawnRuns(), runs);
    EXPECT_TRUE(app.commandChecked(CommandId::PauseOrResume));
    app.key(Key::Space);
    app.tick();
    EXPECT_EQ(drawnRuns(), runs + 1);
    // Five hundred pages on, then back one by one: each the page shown there, to the first.
    app.key(Key::Home);
    std::vector<std::string> pages{shownPage()};
    for (int page = 1; page < 500; ++page) {
        app.key(page % 2 == 0 ? Key::Right : Key::PageDown);
        pages.push_back(shownPage());
    }
    EXPECT_EQ(pages[499], "line 499" + std::string(25, ' '));
    for (int page = 498; page >= 0; --page) {
        app.key(page % 2 == 0 ? Key::Left : Key::PageUp);
        ASSERT_EQ(shownPage(), pages[static_cast<std::size_t>(page)]) << page;
    }
    const std::size_t atFirst = drawnRuns();
    app.key(Key::Left);
    EXPECT_EQ(drawnRuns(), atFirst);
    app.key(Key::Right);
    EXPECT_EQ(shownPage(), pages[1]);
    app.key(Key::Down);
    EXPECT_EQ(app.shell().displayTicks, 2);
}

TEST_F(AppKeys, RowKeysAnswerAsClicksDoAndSpaceAsksTheNextQuestion) {
    auto& image = AppStateAccess::imagePractice(app);
    image.shownSentence = "ABCD";
    image.candidates = {"ABCE", "ABCD", "ABC"};
    for (const std::int32_t phase : {1, 5}) {  // during the flash, then in the answer phase
        image.questionPhase = QuestionPhase::Shown;
        image.questionSteps = phase;
        app.key(Key::One);
        EXPECT_EQ(app.imagePractice().questionPhase, QuestionPhase::Shown);
        EXPECT_EQ(app.imagePractice().questionSteps, phase);
        app.key(Key::Two);
        EXPECT_EQ(app.imagePractice().questionPhase, QuestionPhase::Answered);
        app.key(Key::Return);
        EXPECT_EQ(app.imagePractice().questionPhase, QuestionPhase::Due);
    }
    EXPECT_EQ(app.imagePractice().questionsAnswered, 2);
    EXPECT_EQ(app.imagePractice().wrongAnswers, 2);
    EXPECT_EQ(app.statusLine(), "回答 2　一度で正解 0　誤り 2　平均 0.0 秒");
}

class KnownPages : public AppKeys {
protected:
    // A half-width row with a space in it, a full-width row, each ended by CR LF, then "xyz".
    KnownPages() : AppKeys("ab c\r\n\x82\xa0\x82\xa2\r\nxyz") {}
};

TEST_F(KnownPages, StatusGivesTheNominalAndMeasuredSpeedAndTheProgress) {
    app.command(CommandId::lines(2));
    app.key(Key::Right);
    // Six characters in 0.5 s, six of the text's nine read; shown 0.1 s after the setting.
    EXPECT_EQ(app.statusLine(), "w.txt　進み 66%　表示 720 文字/分　実測 3600 文字/分");
    // Blank rows count none; the measure leaves the pause out: three characters in the two
    // ticks since the resume.
    app.command(CommandId::lines(16));
    app.key(Key::Space);
    for (int tick = 0; tick < 40; ++tick) app.tick();
    app.key(Key::Space);
    app.tick();
    app.tick();
    app.key(Key::Right);
    const std::string line = "w.txt　進み 100%　表示 360 文字/分　実測 900 文字/分";
    EXPECT_EQ(app.statusLine(), line);
    // The tick's pages change the figures at most once a second.
    for (int tick = 0; tick < 5; ++tick) app.tick();
    EXPECT_EQ(app.statusLine(), line);
    // Read in columns, the line says so before its speeds, which start afresh.
    app.key(Key::Home);
    app.command(CommandId::Vertical);
    app.key(Key::Right);
    EXPECT_EQ(app.statusLine(), "w.txt　縦書き　進み 100%　表示 1080 文字/分　実測 5400 文字/分");
}

}  // namespace
}  // namespace tavori
