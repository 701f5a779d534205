// Fuzzes phrase rows and flashes: any bytes (the first chooses the width, the phrases per flash
// and the rows per page) walked row by row and flash by flash over the whole text. Each step
// moves on to a character start, no row or flash is wider than the width, so every character is
// out once and in order; and the pages the program builds end where the walk does.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "common/sjis.h"
#include "files/files.h"
#include "phrases/phrase_segmenter.h"
#include "reading/phrase_rows.h"
#include "reading/reading.h"

namespace {

using namespace tavori;

void check(bool holds) {
    if (!holds) __builtin_trap();
}

// Each step from 0 to the text's end, checked; the ends in order.
template <typename Step>
std::vector<std::size_t> walk(std::string_view text, const std::vector<bool>& characterStart, int widthBytes, Step step) {
    std::vector<std::size_t> ends;
    for (std::size_t position = 0; position < text.size();) {
        const std::size_t end = step(position);
        check(end > position && end <= text.size());
        check(end == text.size() || characterStart[end]);
        // The bytes shown: the characters but the line ends.
        std::size_t shown = 0;
        for (std::size_t at = position; at < end;) {
            const std::size_t lineEnd = lineEndWidth(text, at);
            shown += lineEnd == 0 ? characterWidthAt(text, at) : 0;
            at += lineEnd == 0 ? characterWidthAt(text, at) : lineEnd;
        }
        check(shown <= static_cast<std::size_t>(widthBytes));
        ends.push_back(end);
        position = end;
    }
    return ends;
}

// Pages as the program builds them, of `rows` rows each, end where the walk's rows do.
void checkPages(std::string_view text, const std::vector<std::size_t>& ends, int widthBytes, int rows, int flash) {
    ReadingState reading;
    reading.readingText.assign(text.begin(), text.end());
    reading.readingText.resize(text.size() + static_cast<std::size_t>(kLoadPadding), '\0');
    reading.bytesPerLine = widthBytes;
    reading.linesPerScreen = rows;
    reading.phraseRows = flash == 0;
    reading.phrasesPerFlash = flash;
    const std::size_t rowsPerPage = flash > 0 ? 1 : static_cast<std::size_t>(rows);
    PageRows page;
    for (std::size_t row = 0; row < ends.size(); row += rowsPerPage) {
        buildReadingPage(reading, page);
        const std::size_t last = std::min(row + rowsPerPage, ends.size()) - 1;
        check(static_cast<std::size_t>(reading.readingPosition) == (ends[last] == text.size() ? 0 : ends[last]));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int widthBytes = (data[0] & 1) != 0 ? 16 : 32;
    const int phrases = 1 + (data[0] >> 1 & 3) % 3;
    const int rows = 1 + (data[0] >> 3 & 15);
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::vector<std::size_t> starts = phraseStarts(text);
    std::vector<bool> characterStart(text.size() + 1, false);
    for (std::size_t at = 0; at < text.size(); at += characterWidthAt(text, at)) characterStart[at] = true;

    walk(text, characterStart, widthBytes, [&](std::size_t at) { return phraseRowEnd(text, starts, at, widthBytes); });
    walk(text, characterStart, widthBytes, [&](std::size_t at) { return phraseFlashEnd(text, starts, at, phrases, widthBytes); });

    // The program's text ends at its first NUL.
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    const std::vector<std::size_t> programStarts = phraseStarts(text);
    const auto rowEnds = walk(text, characterStart, widthBytes, [&](std::size_t at) { return phraseRowEnd(text, programStarts, at, widthBytes); });
    checkPages(text, rowEnds, widthBytes, rows, 0);
    const auto flashEnds = walk(text, characterStart, widthBytes, [&](std::size_t at) { return phraseFlashEnd(text, programStarts, at, phrases, widthBytes); });
    checkPages(text, flashEnds, widthBytes, rows, phrases);
    return 0;
}
