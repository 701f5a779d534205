// The reading test's routines over its state: starting on a passage, the pages and the clock,
// the questions and their answers, the results and the screens for each phase.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "common/context.h"
#include "readingtest/passages.h"
#include "record/session_record.h"
#include "readingtest/reading_test_state.h"

namespace tavori {

// Questions a test asks, one from each fifth of the passage.
inline constexpr int kTestQuestions = 5;
// An ordinary adult reads about 600 文字/分 (mean 653, range 300–1,200, over 200 university
// students); the result screen compares with it.
inline constexpr std::int64_t kOrdinaryPerMinute = 600;

// The layout the reader reads in: width, rows, columns and phrase rows (never flashes).
struct TestLayout {
    std::int32_t bytesPerLine = 32;
    std::int32_t linesPerScreen = 1;
    bool vertical = false;
    bool phraseRows = false;
};

// Sets a test up on the passage in the reader's layout, on its introduction screen.
void setUpTest(ReadingTestState& test, TestPassage passage, int level, const TestLayout& layout);

// → or a click: starts the clock and shows the first page, turns the page, ends the reading
// after the last page (making the questions), goes on from an answered question. Returns
// whether a test ended with its results.
bool testNext(ReadingTestState& test, Context& context);
// ←: the page before, while reading.
void testPreviousPage(ReadingTestState& test, Context& context);
// 1/2/3 or a click on a row: answers the question on screen.
void testAnswer(ReadingTestState& test, Context& context, int row);
// Esc: a test under way (its clock started) is abandoned; before the clock, it is only left.
void abandonTest(ReadingTestState& test);

// Whether the clock has started on the test on screen.
bool testStarted(const ReadingTestState& test);

// The last and best finished tests among the record's lines, for the result screen.
void noteEarlierResults(ReadingTestState& test, std::span<const SessionRecord> sessions);
// A recorded test's figures.
TestResult resultOf(const SessionRecord& session);

// Draws the screen of the phase (the page again while reading).
void drawTestScreen(ReadingTestState& test, Context& context);

// The status line (UTF-8).
std::string testStatusLine(const ReadingTestState& test);

}  // namespace tavori
