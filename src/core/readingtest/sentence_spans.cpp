// Cuts a passage into sentences with the one Shift-JIS walker and the line breaking rules' classes.
#include "readingtest/sentence_spans.h"

#include <array>
#include <utility>

#include "common/sjis.h"
#include "reading/phrase_rows.h"

namespace tavori {

namespace {

bool isSpaceAt(std::string_view text, std::size_t position) {
    const char byte = text[position];
    if (byte == ' ' || byte == '\t') {
        return true;
    }
    // The full-width space 0x81 0x40.
    return characterWidthAt(text, position) == 2 && static_cast<unsigned char>(byte) == 0x81 && text[position + 1] == 0x40;
}

// 」』） and their half-width and ASCII forms, which stay with the sentence they close.
bool isClosingBracketAt(std::string_view text, std::size_t position) {
    const auto lead = static_cast<unsigned char>(text[position]);
    if (characterWidthAt(text, position) == 1) {
        return lead == 0xA3 || lead == ')';
    }
    const auto trail = static_cast<unsigned char>(text[position + 1]);
    return lead == 0x81 && (trail == 0x76 || trail == 0x78 || trail == 0x6A);
}

// A bracket at the sentence's start or end whose partner is in another sentence (「A。B」 gives
// 「A。 and B」) is left out, so a sentence shown alone never has half a pair.
SentenceSpan withoutLoneBrackets(std::string_view passage, SentenceSpan span) {
    constexpr std::array<std::pair<char, char>, 3> kPairs = {{{0x75, 0x76}, {0x77, 0x78}, {0x69, 0x6A}}};  // 「」『』（）
    const auto isBracket = [&](std::size_t position, char trail) {
        return characterWidthAt(passage, position) == 2 && static_cast<unsigned char>(passage[position]) == 0x81 &&
               passage[position + 1] == trail;
    };
    for (const auto& [open, close] : kPairs) {
        int opened = 0;
        int closed = 0;
        std::size_t last = span.start;
        for (std::size_t position = span.start; position < span.end; position += characterWidthAt(passage, position)) {
            opened += isBracket(position, open) ? 1 : 0;
            closed += isBracket(position, close) ? 1 : 0;
            last = position;
        }
        if (opened > closed && isBracket(span.start, open) && span.end - span.start > 2) {
            span.start += 2;
        } else if (closed > opened && isBracket(last, close) && span.end - span.start > 2) {
            span.end = last;
        }
    }
    return span;
}

}  // namespace

std::vector<SentenceSpan> sentenceSpans(std::string_view passage) {
    std::vector<SentenceSpan> spans;
    std::size_t position = 0;
    while (position < passage.size()) {
        if (const std::size_t lineEnd = lineEndWidth(passage, position)) {
            position += lineEnd;
            continue;
        }
        if (isSpaceAt(passage, position)) {
            position += characterWidthAt(passage, position);
            continue;
        }
        const std::size_t start = position;
        std::size_t end = position;  // past the last character that is not a space
        while (position < passage.size() && lineEndWidth(passage, position) == 0) {
            const bool ends = endsSentence(passage, position);
            const bool space = isSpaceAt(passage, position);
            position += characterWidthAt(passage, position);
            end = space ? end : position;
            if (ends) {
                while (position < passage.size() &&
                       (endsSentence(passage, position) || isClosingBracketAt(passage, position))) {
                    position += characterWidthAt(passage, position);
                }
                end = position;
                break;
            }
        }
        spans.push_back(withoutLoneBrackets(passage, {start, end}));
    }
    return spans;
}

}  // namespace tavori
