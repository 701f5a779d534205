// Cuts a passage into sentences with the one Shift-JIS walker and the line breaking rules' classes.
#include "readingtest/sentence_spans.h"

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
        spans.push_back({start, end});
    }
    return spans;
}

}  // namespace tavori
