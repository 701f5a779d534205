// Rows cut where Japanese breaks: at the last phrase (文節) boundary that fits, with the line
// breaking rules (禁則) on top, and flashes of one to three whole phrases.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace tavori {

// A character no row may begin with: closing brackets, the comma and full stop, middle dot,
// colon, semicolon, question and exclamation marks, iteration marks, the long vowel mark and
// the small kana, full-width and half-width alike.
bool mayNotStartRow(std::string_view text, std::size_t position);
// An opening bracket, which no row may end with.
bool mayNotEndRow(std::string_view text, std::size_t position);
// 。！？ (and their half-width and ASCII forms) after which a sentence ends.
bool endsSentence(std::string_view text, std::size_t position);

// The line end at `position` (CR LF, a lone CR or a lone LF), in bytes: 0 where there is none.
std::size_t lineEndWidth(std::string_view text, std::size_t position);

// Where the row of at most `widthBytes` bytes that begins at `position` ends: past the line end
// that ends it (taken even when the row is full up to it, so a full line leaves no empty row),
// at the text's end, or at a break inside the line. The break is the last phrase start that
// fits and that neither begins the next row with a character that may not start one nor ends
// this row with one that may not end one; where no phrase start does, the row is cut at the
// width and the cut moves back a character at a time (追い出し) until it obeys those rules.
// Where no cut inside the row can (a run of such characters longer than the row), it stays at
// the width. A row always takes at least one character. `phraseStarts` are increasing offsets.
std::size_t phraseRowEnd(std::string_view text, std::span<const std::size_t> phraseStarts, std::size_t position,
                         int widthBytes);

// What a row needs to know of each byte of a text, found once with its phrases so that cutting a
// row is one short scan: whether a character starts there (and is two bytes wide), a line end,
// a phrase start, and whether a cut before it keeps the rules (with the character before it).
namespace RowCutClass {
inline constexpr std::uint8_t kCharacterStart = 1;
inline constexpr std::uint8_t kWide = 2;
inline constexpr std::uint8_t kLineEnd = 4;
inline constexpr std::uint8_t kPhraseStart = 8;
inline constexpr std::uint8_t kCutObeys = 16;
inline constexpr std::uint8_t kTextEnd = 32;  // the class after the last byte
}  // namespace RowCutClass
// One class per byte of `text` and one for its end.
std::vector<std::uint8_t> rowCutClasses(std::string_view text, std::span<const std::size_t> phraseStarts);

// phraseRowEnd over the classes: the same row end, and where its text ends (before the line end
// it takes). A position that is no character start of the text's walk (a place kept in a text
// since edited) is cut by phraseRowEnd itself.
struct RowCut {
    std::size_t textEnd;
    std::size_t end;
};
// The cut by phraseRowEnd's own walk, for a position the classes do not know.
RowCut phraseRowCutByWalk(std::string_view text, std::span<const std::size_t> phraseStarts, std::size_t position,
                          int widthBytes);

// Inline, as the page builder calls it for every row: a row costs little more than a byte row.
inline RowCut phraseRowCut(std::string_view text, std::span<const std::uint8_t> classes,
                           std::span<const std::size_t> phraseStarts, std::size_t position, int widthBytes) {
    using namespace RowCutClass;
    if (position >= text.size()) {
        return {text.size(), text.size()};
    }
    if (classes.size() != text.size() + 1 || (classes[position] & kCharacterStart) == 0) {
        return phraseRowCutByWalk(text, phraseStarts, position, widthBytes);
    }
    const std::size_t limit = position + static_cast<std::size_t>(widthBytes < 2 ? 2 : widthBytes);
    std::size_t lastCut = 0;
    std::size_t lastPhraseCut = 0;
    std::size_t at = position;
    // The rules at each cut were found with the classes: the scan keeps the last cut inside the
    // row that obeys them, and the last that is also a phrase start.
    while (true) {
        const std::uint8_t flags = classes[at];
        if ((flags & (kLineEnd | kTextEnd)) != 0) {
            if ((flags & kTextEnd) != 0) return {text.size(), text.size()};
            return {at, at + (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1)};
        }
        if (at > position && (flags & kCutObeys) != 0) {
            lastCut = at;
            lastPhraseCut = (flags & kPhraseStart) != 0 ? at : lastPhraseCut;
        }
        const std::size_t next = at + ((flags & kWide) != 0 ? 2 : 1);
        if (next > limit) break;
        at = next;
    }
    const std::size_t cut = lastPhraseCut != 0 ? lastPhraseCut : lastCut != 0 ? lastCut : at;
    return {cut, cut};
}

// Where a flash of up to `phrases` phrases that begins at `position` ends: after as many whole
// phrases as fit in `widthBytes`, stopping after a phrase that ends a sentence and at a line
// end (which the flash takes, with any blank lines after it). A first phrase longer than the
// width is cut as a row would be.
std::size_t phraseFlashEnd(std::string_view text, std::span<const std::size_t> phraseStarts, std::size_t position,
                           int phrases, int widthBytes);

}  // namespace tavori
