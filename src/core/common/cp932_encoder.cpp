// A binary search of the generated table per character; malformed input is replaced and skipped
// as iconv's converter (and so every text loaded before this table) did.
//
// Where CP932 has one code for several characters the table holds iconv's choice: WAVE DASH
// U+301C and FULLWIDTH TILDE U+FF5E both give 81 60, MINUS SIGN U+2212 and FULLWIDTH HYPHEN-MINUS
// U+FF0D 81 7C, U+2016 and U+2225 81 61, U+2014 and U+2015 81 5C, ¢ £ ¬ and their full-width
// forms 81 91, 81 92, 81 CA (Windows' own table decodes those codes as the second of each pair and
// reaches the first only by its best-fit fallback). The NEC and IBM extensions' duplicates take
// the codes Windows picks: ∵ ≒ ≡ ∫ their JIS codes (81 E6 ...), № ℡ ㈱ Ⅰ the NEC row 13 ones
// (87 82, 87 84, 87 8A, 87 54), ⅰ ￤ and the IBM kanji the IBM ones (FA 40, FA 55, 纊 FA 5C),
// never the NEC-selected ED xx/EE xx. iconv and Windows part where Windows writes a look-alike for
// a character CP932 lacks (é as e): iconv gives "?"; and iconv's own fallbacks (¥ U+00A5 as 5C,
// ‾ U+203E as 7E, ¦ U+00A6 as 2D) stay, the bytes the Linux program has always loaded.
#include "common/cp932_encoder.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "common/utf8.h"

namespace tavori {

namespace {

#include "common/cp932_table.inc"

static_assert(std::size(kCp932Scalars) == std::size(kCp932Codes));

// The bytes a malformed sequence at the front of `rest` takes: its lead byte's length, cut at
// the first byte that cannot continue it (iconv's converter skipped the same).
std::size_t malformedLength(std::string_view rest) {
    const auto lead = static_cast<unsigned char>(rest.front());
    const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    for (std::size_t index = 1; index < length && index < rest.size(); ++index) {
        if ((static_cast<unsigned char>(rest[index]) & 0xC0) != 0x80) {
            return index;
        }
    }
    return std::min(length, rest.size());
}

char32_t decode(std::string_view bytes, std::size_t at, std::size_t length) {
    const auto byte = [&](std::size_t offset) { return static_cast<char32_t>(static_cast<unsigned char>(bytes[at + offset])); };
    if (length == 1) return byte(0);
    char32_t value = byte(0) & (0xFFu >> (length + 1));
    for (std::size_t offset = 1; offset < length; ++offset) value = value << 6 | (byte(offset) & 0x3Fu);
    return value;
}

void append(std::string& out, char32_t value) {
    if (value <= 0xFFFF) {
        const auto scalar = static_cast<std::uint16_t>(value);
        const auto* found = std::lower_bound(std::begin(kCp932Scalars), std::end(kCp932Scalars), scalar);
        if (found != std::end(kCp932Scalars) && *found == scalar) {
            const std::uint16_t code = kCp932Codes[found - std::begin(kCp932Scalars)];
            if (code > 0xFF) out.push_back(static_cast<char>(code >> 8));
            out.push_back(static_cast<char>(code & 0xFF));
            return;
        }
    }
    for (const auto& [first, last] : kCp932Dropped) {
        if (value >= first && value <= last) return;
    }
    out.push_back('?');
}

}  // namespace

std::string utf8ToCp932(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length = utf8SequenceLength(utf8, at);
        if (length == 0) {
            out.push_back('?');
            at += malformedLength(utf8.substr(at));
            continue;
        }
        append(out, decode(utf8, at, length));
        at += length;
    }
    return out;
}

}  // namespace tavori
