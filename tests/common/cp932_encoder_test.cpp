// UTF-8 to CP932 by the core's table: the characters CP932 shares out, what it cannot hold, and
// malformed input; on Linux, the table against iconv for every scalar value.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

#include "common/cp932_encoder.h"
#ifndef _WIN32
#include "cp932_iconv.h"
#endif

namespace tavori {
namespace {

// Malformed input, each replaced as iconv's converter replaced it: one "?" per sequence, cut at
// the first byte that cannot continue it.
const std::pair<std::string, std::string> kMalformed[] = {
    {"a\x80" "b", "a?b"},                 // a lone continuation byte
    {"\xC0\x80" "c", "?c"},               // an overlong NUL
    {"\xED\xA0\x80", "?"},                // a surrogate
    {"\xF4\x90\x80\x80", "?"},            // past U+10FFFF
    {"\xE3\x81" "A", "?A"},               // cut short before a character
    {"\xE3\x81", "?"},                    // cut short at the end
    {"\xF8\x88\x80\x80\x80", "??"},       // a five-byte form: four, then one
    {"\xFF", "?"},
};

TEST(Cp932Encoder, SharedCodesReplacementsAndMalformedInput) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"あA[", "\x82\xA0" "A["},
        {"ゼ", "\x83\x5B"},                            // a trail byte that is '['
        {"\xE3\x80\x80", "\x81\x40"},                  // the ideographic space
        {"ｱﾟ", "\xB1\xDF"},                            // half-width katakana: one byte each
        {"〜～", "\x81\x60\x81\x60"},                  // WAVE DASH and FULLWIDTH TILDE
        {"−－", "\x81\x7C\x81\x7C"},                   // MINUS SIGN and FULLWIDTH HYPHEN-MINUS
        {"∵ⅰⅠ纊", "\x81\xE6\xFA\x40\x87\x54\xFA\x5C"},  // JIS, IBM, NEC row 13, IBM kanji
        {"¥", "\x5C"},
        {"a\xF0\x9F\x98\x80" "b", "a?b"},              // beyond the plane CP932 covers
        {"é", "?"},
        {"\xF3\xA0\x80\x81", ""},                      // a language tag, dropped
    };
    for (const auto& [utf8, cp932] : cases) EXPECT_EQ(utf8ToCp932(utf8), cp932) << utf8;
    for (const auto& [utf8, cp932] : kMalformed) EXPECT_EQ(utf8ToCp932(utf8), cp932) << utf8;
}

#ifndef _WIN32
std::string utf8Of(char32_t value) {
    std::string out;
    if (value < 0x80) {
        out += static_cast<char>(value);
    } else if (value < 0x800) {
        out += static_cast<char>(0xC0 | value >> 6);
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        out += static_cast<char>(0xE0 | value >> 12);
        out += static_cast<char>(0x80 | (value >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | value >> 18);
        out += static_cast<char>(0x80 | (value >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (value >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    }
    return out;
}

TEST(Cp932Encoder, AgreesWithIconvOnEveryScalarValueAndMalformedInput) {
    // Blocks of 256 scalar values, each followed by a line end (never a CP932 trail byte);
    // a block that differs is compared character by character. (iconv gets each block on its own:
    // after an unconvertible character it takes time that grows with the input's length.)
    for (char32_t first = 0; first < 0x110000; first += 256) {
        std::string block;
        for (char32_t value = first; value < first + 256; ++value) {
            if (value < 0xD800 || value > 0xDFFF) block += utf8Of(value) + "\n";
        }
        const std::string byIconv = utf8ToCp932WithIconv(block);
        if (utf8ToCp932(block) == byIconv) continue;
        std::size_t at = 0;
        for (char32_t value = first; value < first + 256; ++value) {
            if (value >= 0xD800 && value <= 0xDFFF) continue;
            const std::size_t end = byIconv.find('\n', at);
            ASSERT_EQ(utf8ToCp932(utf8Of(value)), byIconv.substr(at, end - at)) << "U+" << std::hex << static_cast<std::uint32_t>(value);
            at = end + 1;
        }
    }
    for (const auto& [utf8, cp932] : kMalformed) EXPECT_EQ(utf8ToCp932WithIconv(utf8), cp932) << utf8;
}
#endif

}  // namespace
}  // namespace tavori
