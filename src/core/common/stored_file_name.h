// The names a stored file may have: one plain file name in the configuration folder, never a path.
#pragma once

#include <string_view>

namespace tavori {

// True for a name that stays inside its folder: not empty, not "." or "..", and without '/',
// '\\' or a NUL byte (where a system call would end the name early).
constexpr bool isPlainFileName(std::string_view name) {
    constexpr std::string_view kNotInAName("/\\\0", 3);
    return !name.empty() && name != "." && name != ".." && name.find_first_of(kNotInAName) == std::string_view::npos;
}

}  // namespace tavori
