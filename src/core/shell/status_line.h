// What the exercises' status lines share: the gap between figures, tenths written out, and a
// file's name without its folder.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavori {

inline constexpr std::string_view kStatusGap = "　";  // an ideographic space between the figures

// Tenths as "12.3" (a negative value as "0.0").
inline std::string statusTenths(std::int64_t value) {
    value = std::max<std::int64_t>(value, 0);
    return std::to_string(value / 10) + "." + std::to_string(value % 10);
}

// The name after the last slash or backslash, or `otherwise` for an empty path.
inline std::string fileNameOf(const std::string& path, std::string_view otherwise) {
    return path.empty() ? std::string(otherwise) : path.substr(path.find_last_of("/\\") + 1);
}

}  // namespace tavori
