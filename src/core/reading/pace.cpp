// A page's time at a pace: its characters' share of a minute (600 ticks) and its pause, rounded
// to the nearest tick with what the earlier pages left over.
#include "reading/pace.h"

#include <algorithm>

namespace tavori {

std::int32_t pacedTicks(PaceCarry& carry, std::int64_t characters, std::int32_t perMinute, bool endsSentence) {
    const std::int64_t pace = std::max<std::int32_t>(perMinute, 1);
    // Ticks × pace: c characters take c × 600 / pace ticks.
    const std::int64_t due = std::max<std::int64_t>(characters, 0) * 600 + carry.owed;
    const std::int64_t pause =
        endsSentence ? std::min<std::int64_t>(std::int64_t{kSentencePauseCharacters} * 600, kSentencePauseTicks * pace) : 0;
    const std::int64_t ticks = std::clamp<std::int64_t>((due + pause + pace / 2) / pace, 1, 1 << 20);
    // The pause is time beyond the characters' own: what is given past `due` is owed back.
    carry.owed = std::clamp<std::int64_t>(due - ticks * pace, -kMostOwedTicks * pace, pace);
    return static_cast<std::int32_t>(ticks);
}

}  // namespace tavori
