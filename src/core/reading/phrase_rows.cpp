// The character classes of the line breaking rules in code page 932, and the walk that cuts a
// row or a flash: character by character with the one Shift-JIS walker, so a trail byte is
// never taken for a bracket or a line end.
#include "reading/phrase_rows.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "common/sjis.h"

namespace tavori {

namespace {

// Each set sorted once at compile time, so a look-up is a binary search: a row looks a character
// up at each cut it tries.
template <std::size_t N>
constexpr std::array<std::uint16_t, N> sorted(std::array<std::uint16_t, N> set) {
    std::sort(set.begin(), set.end());
    return set;
}

// Code page 932 has no 〙〗〘〖〻 and no small ゕゖ or ㇰ-row kana: a text in it cannot hold them.
constexpr auto kNoRowStart = sorted(std::to_array<std::uint16_t>({
    // 」』）〕］｝〉》】
    0x8176, 0x8178, 0x816A, 0x816C, 0x816E, 0x8170, 0x8172, 0x8174, 0x817A,
    // 、。，．・：；？！
    0x8141, 0x8142, 0x8143, 0x8144, 0x8145, 0x8146, 0x8147, 0x8148, 0x8149,
    // ゝゞヽヾ々ー
    0x8154, 0x8155, 0x8152, 0x8153, 0x8158, 0x815B,
    // ぁぃぅぇぉっゃゅょゎ
    0x829F, 0x82A1, 0x82A3, 0x82A5, 0x82A7, 0x82C1, 0x82E1, 0x82E3, 0x82E5, 0x82EC,
    // ァィゥェォッャュョヮヵヶ
    0x8340, 0x8342, 0x8344, 0x8346, 0x8348, 0x8362, 0x8383, 0x8385, 0x8387, 0x838E, 0x8395, 0x8396,
    // half-width ｡｣､･ｧｨｩｪｫｬｭｮｯｰ and ASCII !),.:;?]}
    0xA1, 0xA3, 0xA4, 0xA5, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC, 0xAD, 0xAE, 0xAF, 0xB0,
    '!', ')', ',', '.', ':', ';', '?', ']', '}',
}));
// 「『（〔［｛〈《【, half-width ｢ and ASCII ([{
constexpr auto kNoRowEnd = sorted(std::to_array<std::uint16_t>(
    {0x8175, 0x8177, 0x8169, 0x816B, 0x816D, 0x816F, 0x8171, 0x8173, 0x8179, 0xA2, '(', '[', '{'}));
// 。！？, half-width ｡ and ASCII !?
constexpr auto kSentenceEnd = sorted(std::to_array<std::uint16_t>({0x8142, 0x8149, 0x8148, 0xA1, '!', '?'}));

std::uint16_t codeAt(std::string_view text, std::size_t position) {
    const auto lead = static_cast<unsigned char>(text[position]);
    if (characterWidthAt(text, position) == 1) {
        return lead;
    }
    return static_cast<std::uint16_t>((lead << 8) | static_cast<unsigned char>(text[position + 1]));
}

template <std::size_t N>
bool holds(const std::array<std::uint16_t, N>& set, std::string_view text, std::size_t position) {
    if (position >= text.size()) {
        return false;
    }
    return std::binary_search(set.begin(), set.end(), codeAt(text, position));
}

// The most characters a row holds: a row is at most 32 bytes wide.
constexpr std::size_t kMostCharactersInRow = 64;

}  // namespace

bool mayNotStartRow(std::string_view text, std::size_t position) { return holds(kNoRowStart, text, position); }
bool mayNotEndRow(std::string_view text, std::size_t position) { return holds(kNoRowEnd, text, position); }
bool endsSentence(std::string_view text, std::size_t position) { return holds(kSentenceEnd, text, position); }

std::size_t lineEndWidth(std::string_view text, std::size_t position) {
    if (position >= text.size()) {
        return 0;
    }
    if (text[position] == '\r') {
        return position + 1 < text.size() && text[position + 1] == '\n' ? 2 : 1;
    }
    return text[position] == '\n' ? 1 : 0;
}

std::size_t phraseRowEnd(std::string_view text, std::span<const std::size_t> phraseStarts, std::size_t position,
                         int widthBytes) {
    if (position >= text.size()) {
        return text.size();
    }
    const auto width = static_cast<std::size_t>(std::max(widthBytes, 2));
    // The starts of the characters that fit, then the first that does not.
    std::array<std::size_t, kMostCharactersInRow + 1> starts;  // only [0, count] is ever read
    std::size_t count = 0;
    std::size_t at = position;
    while (true) {
        if (const std::size_t lineEnd = lineEndWidth(text, at)) {
            return at + lineEnd;
        }
        if (at >= text.size()) {
            return text.size();
        }
        const std::size_t characterWidth = characterWidthAt(text, at);
        if (at + characterWidth - position > width || count == kMostCharactersInRow) {
            break;
        }
        starts[count++] = at;
        at += characterWidth;
    }
    const std::size_t fitEnd = at;
    starts[count] = fitEnd;
    // A cut before `index` (0 < index ≤ count) that obeys the rules.
    const auto obeys = [&](std::size_t index) {
        return !mayNotStartRow(text, starts[index]) && !mayNotEndRow(text, starts[index - 1]);
    };
    // The last phrase start inside the row, then each one before it.
    const auto after = std::upper_bound(phraseStarts.begin(), phraseStarts.end(), fitEnd);
    for (auto start = after; start != phraseStarts.begin();) {
        --start;
        if (*start <= position) {
            break;
        }
        const std::size_t index = static_cast<std::size_t>(std::lower_bound(starts.begin(), starts.begin() + count + 1, *start) - starts.begin());
        // A start the walk did not meet (inside a character) is no place to cut.
        if (index <= count && starts[index] == *start && obeys(index)) {
            return *start;
        }
    }
    for (std::size_t index = count; index > 0; --index) {
        if (obeys(index)) {
            return starts[index];
        }
    }
    return fitEnd;
}

std::vector<std::uint8_t> rowCutClasses(std::string_view text, std::span<const std::size_t> phraseStarts) {
    using namespace RowCutClass;
    std::vector<std::uint8_t> classes(text.size() + 1, 0);
    std::size_t previous = text.size();  // no character before the first
    for (std::size_t at = 0; at < text.size();) {
        if (const std::size_t lineEnd = lineEndWidth(text, at)) {
            classes[at] = kCharacterStart | kLineEnd;
            at += lineEnd;
            previous = text.size();
            continue;
        }
        const std::size_t width = characterWidthAt(text, at);
        std::uint8_t flags = kCharacterStart | (width == 2 ? kWide : 0);
        if (previous < text.size() && !mayNotStartRow(text, at) && !mayNotEndRow(text, previous)) flags |= kCutObeys;
        classes[at] = flags;
        previous = at;
        at += width;
    }
    for (const std::size_t start : phraseStarts) {
        if (start < text.size()) classes[start] |= kPhraseStart;
    }
    classes[text.size()] = kTextEnd;
    return classes;
}

RowCut phraseRowCutByWalk(std::string_view text, std::span<const std::size_t> phraseStarts, std::size_t position,
                          int widthBytes) {
    const std::size_t end = phraseRowEnd(text, phraseStarts, position, widthBytes);
    std::size_t textEnd = position;
    while (textEnd < end && lineEndWidth(text, textEnd) == 0) textEnd += characterWidthAt(text, textEnd);
    return {textEnd, end};
}

std::size_t phraseFlashEnd(std::string_view text, std::span<const std::size_t> phraseStarts, std::size_t position,
                           int phrases, int widthBytes) {
    const auto width = static_cast<std::size_t>(std::max(widthBytes, 2));
    const auto skipLineEnds = [&text](std::size_t at) {
        while (const std::size_t lineEnd = lineEndWidth(text, at)) {
            at += lineEnd;
        }
        return at;
    };
    const std::size_t first = skipLineEnds(std::min(position, text.size()));
    std::size_t end = first;
    for (int taken = 0; taken < phrases && end < text.size() && lineEndWidth(text, end) == 0; ++taken) {
        // The phrase runs to the next phrase start, a line end or the text's end.
        const auto next = std::upper_bound(phraseStarts.begin(), phraseStarts.end(), end);
        const std::size_t limit = next == phraseStarts.end() ? text.size() : *next;
        std::size_t phraseEnd = end;
        bool sentenceEnded = false;
        while (phraseEnd < limit && lineEndWidth(text, phraseEnd) == 0) {
            // A sentence ends at 。！？ with only closing marks after it: 「そうか。」
            sentenceEnded = endsSentence(text, phraseEnd) || (sentenceEnded && mayNotStartRow(text, phraseEnd));
            phraseEnd += characterWidthAt(text, phraseEnd);
        }
        if (phraseEnd - first > width) {
            if (taken == 0) {
                // One phrase longer than the row: cut as a row, without the line end a row takes.
                const std::size_t rowEnd = phraseRowEnd(text, phraseStarts, first, widthBytes);
                end = std::min(rowEnd, phraseEnd);
            }
            break;
        }
        end = phraseEnd;
        if (sentenceEnded) {
            break;
        }
    }
    return skipLineEnds(end);
}

}  // namespace tavori
