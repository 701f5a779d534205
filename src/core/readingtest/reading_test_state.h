// The reading test's state: the passage, where the reader is in it, the clock, the questions
// and the results.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "reading/reading.h"
#include "readingtest/question_maker.h"

namespace tavori {

// Before a test (or after one was left), the screen saying what will happen, the pages, a
// question waiting for its answer, that question answered, the results; abandoned by Esc.
enum class TestPhase { None, Intro, Reading, Question, Answered, Result, Abandoned };

// What one test gave; the result screen compares it with the last and the best before it.
struct TestResult {
    std::string title;
    int level = 0;
    std::int64_t characters = 0;
    std::int64_t milliseconds = 0;
    std::int64_t questions = 0;
    std::int64_t right = 0;
    std::int64_t answerMilliseconds = 0;  // all the answers' time together
    // Characters over the reading time; × right ÷ asked for the effective speed.
    std::int64_t perMinute() const { return milliseconds > 0 ? characters * 60000 / milliseconds : 0; }
    std::int64_t effectivePerMinute() const { return questions > 0 ? perMinute() * right / questions : 0; }
};

struct ReadingTestState {
    TestPhase phase = TestPhase::None;
    TestResult test;               // the test on screen (or the last one taken)
    // The passage paged in the reader's own layout; never timed out.
    ReadingState pages;
    std::int32_t pageCount = 0;
    std::int64_t startedAt = -1;   // the clock's start at the first page; −1 before
    std::vector<TestQuestion> questions;
    std::size_t questionIndex = 0;
    int chosenRow = -1;            // the row answered, on the answered screen
    std::int64_t questionShownAt = 0;
    // The last and best finished tests before this one, from the record.
    std::optional<TestResult> last;
    std::optional<TestResult> best;
    // The screen is drawn at the next step (after a command, a key or a click).
    bool drawDue = false;
};

}  // namespace tavori
