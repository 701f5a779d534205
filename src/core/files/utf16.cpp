// Code units read in the mark's byte order and written out as UTF-8: surrogate pairs joined,
// unpaired halves and an odd last byte made "?".
#include "files/utf16.h"

#include <algorithm>
#include <cstdint>

namespace tavori {

namespace {

constexpr std::string_view kLittleEndianMark = "\xFF\xFE";
constexpr std::string_view kBigEndianMark = "\xFE\xFF";

bool isHighSurrogate(std::uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(std::uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void appendUtf8(std::string& out, std::uint32_t codePoint) {
    const auto put = [&out](std::uint32_t byte) { out.push_back(static_cast<char>(byte)); };
    if (codePoint < 0x80) {
        put(codePoint);
    } else if (codePoint < 0x800) {
        put(0xC0 | (codePoint >> 6));
        put(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        put(0xE0 | (codePoint >> 12));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    } else {
        put(0xF0 | (codePoint >> 18));
        put(0x80 | ((codePoint >> 12) & 0x3F));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    }
}

}  // namespace

bool hasUtf16ByteOrderMark(std::string_view bytes) {
    const std::string_view start = bytes.substr(0, 2);
    return start == kLittleEndianMark || start == kBigEndianMark;
}

std::string utf16ToUtf8(std::string_view bytes) {
    const bool bigEndian = bytes.substr(0, 2) == kBigEndianMark;
    bytes.remove_prefix(std::min<std::size_t>(bytes.size(), 2));
    const auto unitAt = [&](std::size_t index) -> std::uint32_t {
        const auto first = static_cast<unsigned char>(bytes[index]);
        const auto second = static_cast<unsigned char>(bytes[index + 1]);
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    std::string utf8;
    // Japanese text takes three UTF-8 bytes per two UTF-16 bytes.
    utf8.reserve(bytes.size() / 2 * 3);
    const std::size_t unitCount = bytes.size() / 2;
    for (std::size_t unit = 0; unit < unitCount; ++unit) {
        const std::uint32_t value = unitAt(unit * 2);
        if (isHighSurrogate(value) && unit + 1 < unitCount && isLowSurrogate(unitAt(unit * 2 + 2))) {
            appendUtf8(utf8, 0x10000 + ((value - 0xD800) << 10) + (unitAt(unit * 2 + 2) - 0xDC00));
            ++unit;
        } else if (isHighSurrogate(value) || isLowSurrogate(value)) {
            utf8.push_back('?');
        } else {
            appendUtf8(utf8, value);
        }
    }
    if (bytes.size() % 2 != 0) {
        utf8.push_back('?');
    }
    return utf8;
}

}  // namespace tavori
