// Shift-JIS (code page 932) byte classes shared by every scanner in the program.
#pragma once

#include <cstddef>
#include <string_view>

namespace tavori {

// A lead byte always travels with the byte after it, so a trail byte such as the 0x5B of
// "ゼ" (0x83 0x5B) is never read as "[" or any other delimiter.
constexpr bool isLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

constexpr bool isLeadByte(char byte) { return isLeadByte(static_cast<unsigned char>(byte)); }

// Length of the longest prefix of `text` that is at most `limit` bytes and does not end
// between the two bytes of a double-byte character.
constexpr std::size_t characterBoundaryAtMost(std::string_view text, std::size_t limit) {
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t width = (isLeadByte(text[position]) && position + 1 < text.size()) ? 2 : 1;
        if (position + width > limit) {
            break;
        }
        position += width;
    }
    return position;
}

}  // namespace tavori
