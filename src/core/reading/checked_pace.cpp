// Two right answers to go one step faster and one wrong to go one step slower: the pace climbs
// while the reader keeps up and settles within a step of the fastest they can still answer at.
#include "reading/checked_pace.h"

#include <algorithm>

#include "shell/menu.h"

namespace tavori {

std::int32_t answerAtPace(CheckedPace& checked, std::int32_t perMinute, bool right) {
    auto& answers = checked.answers;
    if (answers.size() == kRememberedAnswers) answers.erase(answers.begin());
    answers.push_back({perMinute, right});
    ++checked.asked;
    checked.right += right ? 1 : 0;
    // Each pace answered at: its last ten questions at it or slower.
    checked.heldNow = 0;
    for (const CheckedPace::Answer& candidate : answers) {
        int counted = 0;
        int rightOnes = 0;
        int atThePace = 0;
        for (auto answer = answers.rbegin(); answer != answers.rend() && counted < kHeldQuestions; ++answer) {
            if (answer->perMinute > candidate.perMinute) continue;
            ++counted;
            rightOnes += answer->right ? 1 : 0;
            atThePace += answer->perMinute == candidate.perMinute ? 1 : 0;
        }
        if (counted == kHeldQuestions && rightOnes >= kHeldRight && atThePace >= kHeldAtThePace) {
            checked.heldNow = std::max(checked.heldNow, candidate.perMinute);
        }
    }
    checked.highestHeld = std::max(checked.highestHeld, checked.heldNow);
    if (!right) {
        checked.rightInARow = 0;
        return steppedPace(perMinute, 1);  // a longer display: slower
    }
    if (++checked.rightInARow < 2) return perMinute;
    checked.rightInARow = 0;
    return steppedPace(perMinute, -1);
}

}  // namespace tavori
