// Step counts that stop at the largest 32-bit value instead of overflowing.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tavori {

// `count` advanced by `steps` (zero or more), held at the largest std::int32_t.
inline std::int32_t addSteps(std::int32_t count, std::int64_t steps) {
    return static_cast<std::int32_t>(std::min<std::int64_t>(std::numeric_limits<std::int32_t>::max(),
                                                            std::int64_t{count} + steps));
}

}  // namespace tavori
