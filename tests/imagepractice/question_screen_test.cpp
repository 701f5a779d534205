// The question screen on the raster canvas: frames, the flash and its blanking, the answer
// phase, the answered state and clicks with strict bounds.
#include <climits>
#include <string>

#include "gfx/primitives.h"
#include "imagepractice/question_screen.h"
#include "imagepractice/template_fixture.h"
#include "shell/app.h"
#include "shell/menu.h"

namespace tavori {
namespace {

using testing::TextRun;

// A 1000 × 600 client area: rows at left 200; sentence top 200, answer tops 300, 350, 400.
constexpr int kLeft = 200;
constexpr int kSentenceTop = 200;
constexpr int kAnswerTops[] = {300, 350, 400};

class QuestionScreenTest : public TemplateFixture {
protected:
    QuestionScreenTest() {
        shell.clientWidth = 1000;
        shell.clientHeight = 600;
        image.templateFile = indexBytes("[main]\r\nABCD\r\n\r\n");
    }

    RandomGenerator random{3};
    ShellState shell;
    Context context{platform, random, shell};
    ImagePracticeState image;

    std::vector<TextRun> step() {
        platform.window().clearTextRuns();
        stepImagePractice(image, context);
        return platform.window().textRuns();
    }
    void click(int x, int y) { clickImagePractice(image, context, x, y); }
    int whiteIn(int top) { return platform.window().countPixels(kLeft, top, kLeft + 600, top + 32, kWhite); }
};

void expectRun(const TextRun& run, int y, std::string_view bytes) {
    EXPECT_EQ(run.x, kLeft);
    EXPECT_EQ(run.y, y);
    EXPECT_EQ(run.bytes, bytes);
    EXPECT_EQ(run.cellHeight, 32);
    EXPECT_EQ(run.charWidth, fittedCharWidth(600, static_cast<int>(bytes.size())));
    EXPECT_EQ(run.foreground, kWhite);
    EXPECT_EQ(run.background, kBlack);
}

TEST_F(QuestionScreenTest, StartShowsFourEmptyFramesAtTheirLines) {
    EXPECT_TRUE(step().empty());
    EXPECT_EQ(image.questionPhase, QuestionPhase::Answered);
    const testing::RasterCanvas& canvas = platform.window();
    for (const int top : {kSentenceTop, kAnswerTops[0], kAnswerTops[1], kAnswerTops[2]}) {
        // Top edge x 198..801 plus the right edge's first pixel; the bottom edge stops at 801.
        EXPECT_EQ(canvas.countPixels(0, top - 2, 1000, top - 1, kGreen), 605) << top;
        EXPECT_EQ(canvas.countPixels(0, top + 34, 1000, top + 35, kGreen), 604) << top;
        EXPECT_EQ(canvas.countPixels(198, top - 2, 199, top + 35, kGreen), 37) << top;
        EXPECT_EQ(canvas.countPixels(802, top - 2, 803, top + 35, kGreen), 36) << top;
        EXPECT_EQ(canvas.pixel(802, top + 34), kBlack);
        // Nothing green just outside or inside the frame.
        EXPECT_EQ(canvas.countPixels(0, top - 3, 1000, top - 2, kGreen), 0) << top;
        EXPECT_EQ(canvas.countPixels(199, top - 1, 802, top + 34, kGreen), 0) << top;
        EXPECT_EQ(canvas.countPixels(197, top - 2, 198, top + 35, kGreen), 0) << top;
        EXPECT_EQ(canvas.countPixels(803, top - 2, 804, top + 35, kGreen), 0) << top;
    }
    EXPECT_EQ(canvas.countPixels(0, 0, 1000, 600, kGreen), 4 * (604 + 604 + 35 + 36));
}

TEST_F(QuestionScreenTest, FlashLastsDisplayTicksSteps) {
    for (const int ticks : {1, 5}) {
        shell.displayTicks = ticks;
        image.questionPhase = QuestionPhase::Answered;
        click(-100000, INT_MAX);  // any click starts the question
        ASSERT_EQ(image.questionPhase, QuestionPhase::Due);
        const std::vector<TextRun> flash = step();
        ASSERT_EQ(flash.size(), 4u);
        for (int row = 0; row < 3; ++row) {
            expectRun(flash[static_cast<std::size_t>(row)], kAnswerTops[row], " ");
        }
        expectRun(flash[3], kSentenceTop, "ABCD");
        EXPECT_EQ(image.questionPhase, QuestionPhase::Shown);
        EXPECT_EQ(image.questionSteps, 1);
        EXPECT_GT(whiteIn(kSentenceTop), 0);
        for (int count = 2; count <= ticks; ++count) {
            EXPECT_TRUE(step().empty()) << ticks;
            EXPECT_EQ(image.questionSteps, count);
        }
        // The step after the flash blanks the sentence and shows the candidates, and so does
        // every later one.
        for (int repeat = 0; repeat < 2; ++repeat) {
            const std::vector<TextRun> answer = step();
            ASSERT_EQ(answer.size(), 4u);
            expectRun(answer[0], kSentenceTop, " ");
            for (int row = 0; row < 3; ++row) {
                expectRun(answer[static_cast<std::size_t>(row) + 1], kAnswerTops[row], "ABCD");
            }
            EXPECT_EQ(image.questionSteps, ticks);
            EXPECT_EQ(whiteIn(kSentenceTop), 0);
        }
    }
}

TEST_F(QuestionScreenTest, AnsweredStateRedrawsOnlyTheSentence) {
    image.questionPhase = QuestionPhase::Due;
    step();
    while (image.questionSteps < shell.displayTicks) {
        step();
    }
    step();
    click(500, 316);  // a plain line: every row is correct
    ASSERT_EQ(image.questionPhase, QuestionPhase::Answered);
    const std::vector<TextRun> answered = step();
    ASSERT_EQ(answered.size(), 1u);
    expectRun(answered[0], kSentenceTop, "ABCD");
    for (const int top : kAnswerTops) {
        EXPECT_GT(whiteIn(top), 0);  // the candidates stay beneath the sentence
    }
    EXPECT_EQ(step().size(), 1u);
    EXPECT_EQ(image.questionPhase, QuestionPhase::Answered);
}

TEST_F(QuestionScreenTest, ClicksCountOnlyStrictlyInsideTheCorrectRow) {
    image.candidates = {"a", "b", "c"};
    image.shownSentence = "b";
    const auto hits = [&](int x, int y) {
        image.questionPhase = QuestionPhase::Shown;
        image.questionSteps = 5;
        click(x, y);
        return image.questionPhase == QuestionPhase::Answered;
    };
    EXPECT_TRUE(hits(201, 351));
    EXPECT_TRUE(hits(799, 381));
    EXPECT_FALSE(hits(200, 360));
    EXPECT_FALSE(hits(800, 360));
    EXPECT_FALSE(hits(500, 350));
    EXPECT_FALSE(hits(500, 382));
    EXPECT_FALSE(hits(500, 316));  // a wrong row
    EXPECT_FALSE(hits(500, 416));
    EXPECT_FALSE(hits(500, 340));  // between rows
    for (const int x : {INT_MIN, -1, 0, INT_MAX}) {
        for (const int y : {INT_MIN, -1, 0, 360, INT_MAX}) {
            if (x != INT_MAX && x != INT_MIN && y == 360) {
                continue;
            }
            EXPECT_FALSE(hits(x, y)) << x << "," << y;
        }
    }
    image.shownSentence = "a";
    EXPECT_FALSE(hits(500, 300));
    EXPECT_TRUE(hits(500, 301));
    EXPECT_TRUE(hits(500, 331));
    EXPECT_FALSE(hits(500, 332));
    image.shownSentence = "c";
    EXPECT_FALSE(hits(500, 400));
    EXPECT_TRUE(hits(500, 401));
    EXPECT_TRUE(hits(500, 431));
    EXPECT_FALSE(hits(500, 432));
    // Layouts at the extremes of the client size stay exact.
    shell.clientWidth = 0;
    shell.clientHeight = 0;
    EXPECT_TRUE(hits(-299, 101));
    EXPECT_FALSE(hits(-300, 101));
    shell.clientWidth = 65535;
    shell.clientHeight = 65535;
    EXPECT_TRUE(hits(65535 / 2 + 299, 65535 / 2 + 131));
    EXPECT_FALSE(hits(65535 / 2 + 300, 65535 / 2 + 131));
}

TEST_F(QuestionScreenTest, CompareText) {
    EXPECT_EQ(compareText("ab", "ab"), 1);
    EXPECT_EQ(compareText("", ""), 1);
    EXPECT_EQ(compareText("a", "ab"), -1);
    EXPECT_EQ(compareText("", "a"), -1);
    EXPECT_EQ(compareText("ab", "a"), 0);
    EXPECT_EQ(compareText("ax", "ab"), 0);
}

TEST_F(QuestionScreenTest, TwoClicksBeforeATickKeepTheAnsweredQuestion) {
    image.questionPhase = QuestionPhase::Due;
    step();
    click(500, 316);  // accepted during the flash
    ASSERT_EQ(image.questionPhase, QuestionPhase::Answered);
    const std::vector<TextRun> again = step();
    ASSERT_EQ(again.size(), 1u);  // the answer rows are still blank
    EXPECT_EQ(whiteIn(kAnswerTops[0]), 0);
    click(10, 10);
    EXPECT_EQ(image.questionPhase, QuestionPhase::Due);
    click(500, 366);
    EXPECT_EQ(image.questionPhase, QuestionPhase::Answered);
    const RandomGenerator before = random;
    EXPECT_EQ(step().size(), 1u);
    EXPECT_EQ(random.state(), before.state());  // no question was built
}

TEST_F(QuestionScreenTest, LoweringTheDisplayTimeEndsTheFlashAtTheNextStep) {
    image.questionPhase = QuestionPhase::Due;
    step();
    step();
    ASSERT_EQ(image.questionSteps, 2);
    shell.displayTicks = 1;
    EXPECT_EQ(step().size(), 4u);
    EXPECT_EQ(image.questionSteps, 2);
}

TEST_F(QuestionScreenTest, EmptyTemplateMakesEveryRowCorrectBeforeAnyBuild) {
    image.templateFile = TemplateFile{};
    image.questionPhase = QuestionPhase::Due;
    const std::vector<TextRun> flash = step();
    EXPECT_EQ(flash.size(), 3u);  // the blanks; the empty sentence draws nothing
    click(500, 416);
    EXPECT_EQ(image.questionPhase, QuestionPhase::Answered);
}

TEST_F(QuestionScreenTest, AppStartsOnFramesAndCommandLoadsAnotherTemplate) {
    platform.addFile(platform.besideExecutable("tvr.tvr3"), "[main]\r\nfirst\r\n\r\n");
    platform.addFile("/home/u/other.tvr3", "[main]\nsecond\n\n");  // LF line ends
    App app(platform, AppConfig{9, ""});
    app.startUp();
    platform.window().clearTextRuns();
    app.tick();
    EXPECT_TRUE(platform.window().textRuns().empty());
    EXPECT_EQ(platform.window().countPixels(0, 0, 1000, 600, kGreen), 4 * 1279);
    app.mouseDown(3, 3);
    app.tick();
    ASSERT_FALSE(platform.window().textRuns().empty());
    EXPECT_EQ(platform.window().textRuns().back().bytes, "first");

    platform.dialogAnswers.push_back("/home/u/other.tvr3");
    app.command(CommandId::LoadTemplate);
    ASSERT_EQ(platform.dialogRequests.size(), 1u);
    EXPECT_EQ(platform.dialogRequests[0].description, "tvr3 Files(*.tvr3)");
    EXPECT_EQ(platform.dialogRequests[0].proposedName, "tvr.tvr3");
    EXPECT_EQ(app.imagePractice().questionPhase, QuestionPhase::Shown);
    EXPECT_EQ(app.imagePractice().questionSteps, 1);
    EXPECT_EQ(app.imagePractice().shownSentence, "second");
    // A cancelled dialog keeps the template and flashes a new question from it.
    platform.files["/home/u/other.tvr3"].content = "[main]\r\nthird\r\n\r\n";
    app.command(CommandId::LoadTemplate);
    EXPECT_EQ(app.imagePractice().questionPhase, QuestionPhase::Shown);
    EXPECT_EQ(app.imagePractice().questionSteps, 1);
    EXPECT_EQ(app.imagePractice().shownSentence, "second");
}

}  // namespace
}  // namespace tavori
