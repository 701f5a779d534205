// Rows cut where Japanese breaks: at the last phrase (文節) boundary that fits, with the line
// breaking rules (禁則) on top, and flashes of one to three whole phrases.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

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

// Where a flash of up to `phrases` phrases that begins at `position` ends: after as many whole
// phrases as fit in `widthBytes`, stopping after a phrase that ends a sentence and at a line
// end (which the flash takes, with any blank lines after it). A first phrase longer than the
// width is cut as a row would be.
std::size_t phraseFlashEnd(std::string_view text, std::span<const std::size_t> phraseStarts, std::size_t position,
                           int phrases, int widthBytes);

}  // namespace tavori
