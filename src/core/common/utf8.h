// The one UTF-8 walker of the core: the length of a well-formed sequence.
#pragma once

#include <cstddef>
#include <string_view>

namespace tavori {

// Length of the UTF-8 sequence starting at `index`, or 0 when it is not well formed
// (overlong forms, surrogates and values past U+10FFFF included).
constexpr std::size_t utf8SequenceLength(std::string_view bytes, std::size_t index) {
    const auto byteAt = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
    const unsigned char lead = byteAt(index);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (index + length > bytes.size()) {
        return 0;
    }
    for (std::size_t offset = 1; offset < length; ++offset) {
        const unsigned char next = byteAt(index + offset);
        const unsigned char lowest = offset == 1 ? low : 0x80;
        const unsigned char highest = offset == 1 ? high : 0xBF;
        if (next < lowest || next > highest) {
            return 0;
        }
    }
    return length;
}

}  // namespace tavori
