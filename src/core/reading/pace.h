// The pace in 文字/分: how long each page or flash stays up for its own characters, on the grid
// of 0.1 s ticks, with the rounding carried over so the characters shown keep to the pace.
#pragma once

#include <cstdint>

namespace tavori {

// A page or flash that ends a sentence stays longer by three characters' time at the pace, at
// most 0.3 s: readers dwell on a sentence's last words while they take the sentence in (the
// wrap-up at its end), and less so the faster they read. The pages after it make the time up,
// so over a minute the pace is still the one set.
inline constexpr std::int32_t kSentencePauseCharacters = 3;
inline constexpr std::int32_t kSentencePauseTicks = 3;
// Time owed by pauses and by pages held to their one tick is paid back by later pages, but a
// run of pages too short to pay it (blank lines, single phrases at a fast pace) owes at most
// this much: the pace then falls short rather than later pages flashing by.
inline constexpr std::int32_t kMostOwedTicks = 10;

struct PaceCarry {
    // What the pages shown so far were given beyond (negative) or short of (positive) their
    // characters' time, in ticks × 文字/分 so that it stays whole.
    std::int64_t owed = 0;
};

// The ticks, at least one, that a page of `characters` stays up at `perMinute` 文字/分, plus the
// pause after a sentence's end; `carry` takes the rounding over to the next page.
std::int32_t pacedTicks(PaceCarry& carry, std::int64_t characters, std::int32_t perMinute, bool endsSentence);

}  // namespace tavori
