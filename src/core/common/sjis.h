// The one Shift-JIS (code page 932) walker: byte classes, character widths, finds and cuts.
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

// Bytes taken by the character at `position`: 2 for a lead byte with a byte after it, else 1
// (a lead byte as the very last byte stands alone).
constexpr std::size_t characterWidthAt(std::string_view text, std::size_t position) {
    return (isLeadByte(text[position]) && position + 1 < text.size()) ? 2 : 1;
}

// Position of the first occurrence of `wanted` that starts on a character boundary at or
// after `from` (itself a boundary), or npos.
constexpr std::size_t findAtCharacter(std::string_view text, std::string_view wanted, std::size_t from = 0) {
    for (std::size_t position = from; position < text.size(); position += characterWidthAt(text, position)) {
        if (text.substr(position, wanted.size()) == wanted) {
            return position;
        }
    }
    return std::string_view::npos;
}

constexpr std::size_t findAtCharacter(std::string_view text, char wanted, std::size_t from = 0) {
    return findAtCharacter(text, std::string_view(&wanted, 1), from);
}

// Length of the longest prefix of `text` that is at most `limit` bytes and does not end
// between the two bytes of a double-byte character.
constexpr std::size_t characterBoundaryAtMost(std::string_view text, std::size_t limit) {
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t width = characterWidthAt(text, position);
        if (position + width > limit) {
            break;
        }
        position += width;
    }
    return position;
}

}  // namespace tavori
