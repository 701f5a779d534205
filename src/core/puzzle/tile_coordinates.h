// Bounds that keep every tile position and every sum of positions inside 32 bits.
#pragma once

#include <algorithm>
#include <cstdint>

namespace tavori {

// The front ends capture the mouse during a drag, so a pointer may lie far outside the window
// (or arrive as any int). Clamped to ±2^24 it still reaches far past any screen.
inline constexpr std::int32_t kPointerLimit = 1 << 24;
// Tile positions are kept within ±2^28: a group laid out or snapped beside a tile at the
// pointer's bound stays well inside this, and a position plus a few tile sizes cannot overflow.
inline constexpr std::int64_t kPositionLimit = std::int64_t{1} << 28;

constexpr std::int32_t boundedPointer(int coordinate) {
    return std::clamp<std::int32_t>(coordinate, -kPointerLimit, kPointerLimit);
}

constexpr std::int32_t boundedPosition(std::int64_t position) {
    return static_cast<std::int32_t>(std::clamp(position, -kPositionLimit, kPositionLimit));
}

// low <= value <= high, computed in 64 bits.
constexpr bool inclusiveBetween(std::int64_t low, std::int64_t value, std::int64_t high) {
    return low <= value && value <= high;
}

}  // namespace tavori
