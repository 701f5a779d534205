// The ranges of pointer coordinates and client sizes the exercises are written for.
#pragma once

#include <algorithm>
#include <cstdint>

#include "common/platform.h"

namespace tavori {

// App holds every pointer and client size to these on the way in; code inside trusts them.

// A window reports each side of its client area in 16 bits.
inline constexpr std::int32_t kLargestClientExtent = 65535;
// The front ends capture the mouse during a drag, so a pointer may lie far outside the window
// (or arrive as any int). Held to ±2^24 it still reaches far past any screen, and a pointer
// plus a few tile or client sizes stays far inside 32 bits.
inline constexpr std::int32_t kPointerLimit = 1 << 24;

constexpr std::int32_t heldPointer(int coordinate) {
    return std::clamp<std::int32_t>(coordinate, -kPointerLimit, kPointerLimit);
}

constexpr ClientSize heldClientSize(ClientSize size) {
    return {std::clamp<std::int32_t>(size.width, 0, kLargestClientExtent),
            std::clamp<std::int32_t>(size.height, 0, kLargestClientExtent)};
}

}  // namespace tavori
