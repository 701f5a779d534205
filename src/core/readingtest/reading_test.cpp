// A test runs introduction → pages (the clock from the first page to the last →) → questions
// → results; every screen is drawn whole when its phase changes.
#include "readingtest/reading_test.h"

#include <algorithm>

#include "common/sjis.h"
#include "gfx/primitives.h"
#include "phrases/phrase_segmenter.h"
#include "reading/phrase_rows.h"
#include "readingtest/test_screens.h"
#include "shell/status_line.h"

namespace tavori {

namespace {

std::string_view textOf(const std::vector<char>& text) {
    return {text.data(), static_cast<std::size_t>(std::find(text.begin(), text.end(), '\0') - text.begin())};
}

std::int64_t charactersOf(std::string_view text) {
    std::int64_t characters = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t lineEnd = lineEndWidth(text, at);
        characters += lineEnd == 0 ? 1 : 0;
        at += lineEnd > 0 ? lineEnd : characterWidthAt(text, at);
    }
    return characters;
}

// "12,345"
std::string grouped(std::int64_t value) {
    const std::string digits = std::to_string(std::max<std::int64_t>(value, 0));
    std::string out;
    for (std::size_t at = 0; at < digits.size(); ++at) {
        if (at > 0 && (digits.size() - at) % 3 == 0) out.push_back(',');
        out.push_back(digits[at]);
    }
    return out;
}

std::string duration(std::int64_t milliseconds) {
    const std::int64_t seconds = std::max<std::int64_t>(milliseconds, 0) / 1000;
    return seconds < 60 ? std::to_string(seconds) + "秒" : std::to_string(seconds / 60) + "分" + std::to_string(seconds % 60) + "秒";
}

std::string passageLine(const TestResult& test) {
    return "「" + test.title + "」（" + std::string(testLevelName(test.level)) + "）";
}

std::string figuresLine(const TestResult& test) {
    return grouped(test.perMinute()) + " 文字/分・正解 " + std::to_string(test.right) + " / " + std::to_string(test.questions) +
           "・実効 " + grouped(test.effectivePerMinute()) + " 文字/分";
}

std::vector<std::string> introLines(const ReadingTestState& test) {
    if (test.test.characters == 0) {
        return {"読書テスト　" + passageLine(test.test), "", "この文章が見つからないか、空です。",
                "読書テストのメニューから別の文章を選んでください。"};
    }
    return {"読書テスト　" + passageLine(test.test),
            "",
            grouped(test.test.characters) + " 字の文章を、いつもの自分の速さで読んでください。",
            "→ かクリックで時間を計りはじめ、最初のページを出します。",
            "→ で次のページ、← で前のページ。時間で進むことはありません。",
            "最後のページで → を押すと時間が止まり、問題が出ます。",
            "１・２・３かクリックで答えます。答える時間は速さに数えません。",
            "Esc でいつでもやめられます。"};
}

std::vector<std::string> resultLines(const ReadingTestState& test) {
    const TestResult& result = test.test;
    std::vector<std::string> lines = {
        "読書テストの結果　" + passageLine(result),
        "",
        "文字数 " + grouped(result.characters) + " 字　時間 " + duration(result.milliseconds),
        "速さ " + grouped(result.perMinute()) + " 文字/分　正解 " + std::to_string(result.right) + " / " +
            std::to_string(result.questions),
        "実効 " + grouped(result.effectivePerMinute()) + " 文字/分（速さ × 正解の割合）",
        "",
        test.last ? "前回　" + figuresLine(*test.last) : std::string("前回の結果はまだありません"),
        test.best ? "最高　" + figuresLine(*test.best) : std::string(),
    };
    // Against an ordinary adult's reading, in tenths of it.
    const std::int64_t tenths = result.perMinute() * 10 / kOrdinaryPerMinute;
    lines.push_back("ふつうの大人は 600 文字/分ぐらいで読みます。その " + statusTenths(tenths) + " 倍の速さです。");
    if (result.questions < kTestQuestions) {
        lines.push_back("この文章からは問題を " + std::to_string(result.questions) + " 問しか作れませんでした。");
    }
    return lines;
}

void showQuestion(ReadingTestState& test, Context& context) {
    test.phase = TestPhase::Question;
    test.chosenRow = -1;
    test.questionShownAt = context.platform.steadyMilliseconds();
    drawTestScreen(test, context);
}

void finish(ReadingTestState& test, Context& context) {
    test.phase = TestPhase::Result;
    drawTestScreen(test, context);
}

}  // namespace

void setUpTest(ReadingTestState& test, TestPassage passage, int level, const TestLayout& layout) {
    ReadingState& pages = test.pages;
    pages = ReadingState{};
    pages.readingText = std::move(passage.text);
    pages.bytesPerLine = layout.bytesPerLine;
    pages.linesPerScreen = layout.linesPerScreen;
    pages.vertical = layout.vertical;
    pages.phraseRows = layout.phraseRows;
    const std::string_view text = textOf(pages.readingText);
    test.test = TestResult{};
    test.test.title = std::move(passage.title);
    test.test.level = level;
    test.test.characters = charactersOf(text);
    pages.textCharacters = static_cast<std::int32_t>(test.test.characters);
    // Paged once through to count the pages; a page always takes a byte.
    test.pageCount = 0;
    PageRows rows;
    do {
        buildReadingPage(pages, rows);
        ++test.pageCount;
    } while (pages.readingPosition != 0 && test.pageCount <= static_cast<std::int32_t>(text.size()));
    test.startedAt = -1;
    test.questions.clear();
    test.questionIndex = 0;
    test.phase = TestPhase::Intro;
    test.drawDue = true;
}

bool testStarted(const ReadingTestState& test) { return test.startedAt >= 0; }

bool testNext(ReadingTestState& test, Context& context) {
    ReadingState& pages = test.pages;
    switch (test.phase) {
        case TestPhase::Intro:
            if (test.test.characters == 0) return false;
            test.startedAt = context.platform.steadyMilliseconds();
            test.phase = TestPhase::Reading;
            clearScreen(context.window, context.shell.clientWidth, context.shell.clientHeight);
            pages.readingPosition = 0;
            showNextPage(pages, context);
            return false;
        case TestPhase::Reading: {
            if (pages.pagesShown.empty() || pages.pagesShown.back().end != 0) {
                showNextPage(pages, context);
                return false;
            }
            // The last page read: the clock stops, and the questions are made from the passage.
            test.test.milliseconds = context.platform.steadyMilliseconds() - test.startedAt;
            const std::string_view text = textOf(pages.readingText);
            test.questions = makeQuestions(text, phraseStarts(text), kTestQuestions, context.random);
            test.test.questions = static_cast<std::int64_t>(test.questions.size());
            test.questionIndex = 0;
            if (test.questions.empty()) {
                finish(test, context);
                return true;
            }
            showQuestion(test, context);
            return false;
        }
        case TestPhase::Answered:
            if (++test.questionIndex < test.questions.size()) {
                showQuestion(test, context);
                return false;
            }
            finish(test, context);
            return true;
        default:
            return false;
    }
}

void testPreviousPage(ReadingTestState& test, Context& context) {
    if (test.phase == TestPhase::Reading) showPreviousPage(test.pages, context);
}

void testAnswer(ReadingTestState& test, Context& context, int row) {
    if (test.phase != TestPhase::Question || row < 0 || row > 2) return;
    const TestQuestion& question = test.questions[test.questionIndex];
    test.chosenRow = row;
    test.test.right += row == question.answer ? 1 : 0;
    test.test.answerMilliseconds += std::max<std::int64_t>(context.platform.steadyMilliseconds() - test.questionShownAt, 0);
    test.phase = TestPhase::Answered;
    drawTestScreen(test, context);
}

void abandonTest(ReadingTestState& test) {
    if (test.phase == TestPhase::Intro || test.phase == TestPhase::Reading || test.phase == TestPhase::Question ||
        test.phase == TestPhase::Answered) {
        test.phase = TestPhase::Abandoned;
        test.drawDue = true;
    }
}

TestResult resultOf(const SessionRecord& session) {
    TestResult result;
    result.title = session.textName;
    result.level = session.testLevel;
    result.characters = session.charactersShown;
    result.milliseconds = session.activeMilliseconds;
    result.questions = session.questions;
    result.right = session.rightAnswers;
    return result;
}

void noteEarlierResults(ReadingTestState& test, std::span<const SessionRecord> sessions) {
    test.last.reset();
    test.best.reset();
    for (const SessionRecord& session : sessions) {
        if (session.exercise != RecordedExercise::ReadingTest || session.abandoned) continue;
        test.last = resultOf(session);
        if (!test.best || test.last->effectivePerMinute() > test.best->effectivePerMinute()) test.best = test.last;
    }
}

void drawTestScreen(ReadingTestState& test, Context& context) {
    switch (test.phase) {
        case TestPhase::None:
            drawMessageScreen(context, {"まだ読書テストの結果はありません。", "", "読書テストのメニューから文章を選んでください。"});
            return;
        case TestPhase::Intro: drawMessageScreen(context, introLines(test)); return;
        case TestPhase::Reading: {
            // The page on screen again, from its start.
            ReadingState& pages = test.pages;
            clearScreen(context.window, context.shell.clientWidth, context.shell.clientHeight);
            if (!pages.pagesShown.empty()) {
                pages.readingPosition = pages.pagesShown.back().start;
                pages.pagesShown.pop_back();
            }
            showNextPage(pages, context);
            return;
        }
        case TestPhase::Question:
        case TestPhase::Answered: {
            const TestQuestion& question = test.questions[test.questionIndex];
            const std::size_t passageBytes = std::max<std::size_t>(textOf(test.pages.readingText).size(), 1);
            const std::size_t fifth = std::min<std::size_t>(question.sentenceStart * 5 / passageBytes, 4) + 1;
            std::string heading = "問題 " + std::to_string(test.questionIndex + 1) + " / " + std::to_string(test.questions.size()) +
                                  "　（文章の " + std::to_string(fifth) + "/5 あたりから）";
            if (test.phase == TestPhase::Answered) {
                heading += test.chosenRow == question.answer ? "　正解です　→ で次へ" : "　正解は白い枠の文です　→ で次へ";
            }
            drawQuestionScreen(context, heading, question, test.phase == TestPhase::Answered ? test.chosenRow : -1);
            return;
        }
        case TestPhase::Result: drawMessageScreen(context, resultLines(test)); return;
        case TestPhase::Abandoned:
            drawMessageScreen(context, {"テストをやめました。", "", "読書テストのメニューから、もう一度始められます。"});
            return;
    }
}

std::string testStatusLine(const ReadingTestState& test) {
    const std::string gap(kStatusGap);
    const TestResult& result = test.test;
    std::string line = "読書テスト";
    switch (test.phase) {
        case TestPhase::None: return line;
        case TestPhase::Intro: return line + gap + passageLine(result) + gap + grouped(result.characters) + " 字";
        case TestPhase::Reading: {
            const std::size_t page = test.pages.pagesShown.size();
            return line + gap + passageLine(result) + gap + "ページ " + std::to_string(page) + " / " + std::to_string(test.pageCount);
        }
        case TestPhase::Question:
        case TestPhase::Answered:
            return line + gap + "問題 " + std::to_string(test.questionIndex + 1) + " / " + std::to_string(test.questions.size()) +
                   gap + "正解 " + std::to_string(result.right);
        case TestPhase::Result:
            return line + gap + "速さ " + grouped(result.perMinute()) + " 文字/分" + gap + "正解 " + std::to_string(result.right) +
                   " / " + std::to_string(result.questions) + gap + "実効 " + grouped(result.effectivePerMinute()) + " 文字/分";
        case TestPhase::Abandoned: return line + gap + "やめました";
    }
    return line;
}

}  // namespace tavori
