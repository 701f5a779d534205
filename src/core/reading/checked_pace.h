// Checked practice's pace rule: after each question on a stretch just read, the pace moves one
// value of the menu's 文字/分 list — faster after two right answers in a row, slower after a
// wrong one — and the highest pace held is kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavori {

// A pace counts as held when of the last ten questions asked at it or slower at least eight were
// answered right and at least half were asked at that pace itself: the reader kept 80 %
// comprehension there, not only on the way up to it. (Counting the faster paces too would never
// hold the pace a reader settles at: two right there, then one wrong a step above, is two right
// in three.)
inline constexpr int kHeldQuestions = 10;
inline constexpr int kHeldRight = 8;
inline constexpr int kHeldAtThePace = 5;
// Enough of the session's answers to find every pace's last ten at it or slower.
inline constexpr std::size_t kRememberedAnswers = 200;

struct CheckedPace {
    std::int64_t asked = 0;
    std::int64_t right = 0;
    int rightInARow = 0;
    // The session's latest answers, oldest first, and the pace each was given at.
    struct Answer {
        std::int32_t perMinute;
        bool right;
    };
    std::vector<Answer> answers;
    // The highest pace held over the latest answers (0: none), and the highest it has been since
    // the record's session began (set back to 0 there).
    std::int32_t heldNow = 0;
    std::int32_t highestHeld = 0;
};

// Notes an answer given at `perMinute` and returns the pace to resume at: one step faster after
// the second right answer in a row (the count then starts again), one step slower after a wrong
// one, held at the list's ends.
std::int32_t answerAtPace(CheckedPace& checked, std::int32_t perMinute, bool right);

}  // namespace tavori
