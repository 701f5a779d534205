// One session of an exercise as the record keeps it: when it began, the settings in force, and
// the figures the status line showed at its end.
#pragma once

#include <cstdint>
#include <string>

#include "common/platform.h"

namespace tavori {

enum class RecordedExercise { Reading, ImagePractice, Maze, Puzzle, ReadingTest };

struct SessionRecord {
    LocalTime start;  // local date and time the session began
    RecordedExercise exercise = RecordedExercise::Reading;

    // Settings in force when it ended.
    std::int32_t displayTicks = 5;   // the display time in 0.1 s
    std::int32_t characters = 16;    // row width in characters: 16 or 8
    std::int32_t rows = 1;           // 1 … 16
    std::int32_t mazeSize = 10;      // cells along a side
    bool vertical = false;           // pages in vertical columns (縦書き)
    bool phraseRows = false;         // rows cut at phrase boundaries (文節で折り返す)
    std::int32_t phrasesPerFlash = 0;  // phrases per flash; 0: pages
    std::int32_t pacePerMinute = 0;  // the pace in 文字/分; 0: the display time per page
    std::string textName;            // UTF-8 file name of the reading text or the template

    // Speed reading: characters shown, unpaused time, and the speeds in 文字/分.
    std::int64_t charactersShown = 0;
    std::int64_t activeMilliseconds = 0;
    std::int64_t nominalPerMinute = 0;
    std::int64_t measuredPerMinute = 0;
    // Checked practice (speed reading with a question after each stretch): the questions in
    // `questions` and those answered right in `rightAnswers`, the pace at its end in
    // pacePerMinute, and the highest pace held with eight right of ten (0: none yet).
    std::int64_t heldPerMinute = 0;
    // Image practice: questions answered, of them right at the first try, wrong answers, and
    // the mean time from the candidates appearing to the right answer.
    std::int64_t questions = 0;
    std::int64_t rightFirstTime = 0;
    std::int64_t wrongAnswers = 0;
    std::int64_t meanAnswerMilliseconds = 0;
    // Maze: mazes solved and their mean time.
    std::int64_t mazesSolved = 0;
    std::int64_t meanMazeMilliseconds = 0;
    // Reading test: the passage's level (0 for the reader's own text), its characters in
    // charactersShown, the reading time in activeMilliseconds, 文字/分 in measuredPerMinute,
    // questions asked in questions, answered right in rightAnswers, the mean answer time in
    // meanAnswerMilliseconds, and 文字/分 × right ÷ asked; abandoned before its results.
    std::int32_t testLevel = 0;
    std::int64_t rightAnswers = 0;
    std::int64_t effectivePerMinute = 0;
    bool abandoned = false;
    // Puzzle: puzzles put back together (every tile joined) and their mean time.
    std::int64_t puzzlesSolved = 0;
    std::int64_t meanPuzzleMilliseconds = 0;

    bool operator==(const SessionRecord&) const = default;
};

}  // namespace tavori
