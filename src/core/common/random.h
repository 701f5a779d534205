// The program's one pseudo-random generator: a linear congruential generator with 15-bit draws.
#pragma once

#include <cstdint>

namespace tavori {

class RandomGenerator {
public:
    explicit RandomGenerator(std::uint32_t seed) : state_(seed) {}

    // One draw: 0 to 32,767. The exercises depend on the exact sequence, so a seed replays
    // a whole session.
    int next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

    // A choice among `count` things: one draw modulo count. count must be positive.
    int below(int count) { return next() % count; }

    std::uint32_t state() const { return state_; }

private:
    std::uint32_t state_;
};

}  // namespace tavori
