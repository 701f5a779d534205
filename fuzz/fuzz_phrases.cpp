// Fuzzes phrase segmentation: any bytes give starts that increase, lie inside the text, fall on
// the Shift-JIS walker's character starts and begin every line.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "common/sjis.h"
#include "phrases/phrase_segmenter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::size_t> starts = tavori::phraseStarts(text);
    if (text.empty() != starts.empty()) __builtin_trap();
    if (!starts.empty() && starts.front() != 0) __builtin_trap();
    std::size_t next = 0;  // index of the next start expected at or after this character
    bool lineBegins = true;
    for (std::size_t position = 0; position < text.size(); position += tavori::characterWidthAt(text, position)) {
        const bool isStart = next < starts.size() && starts[next] == position;
        if (next < starts.size() && starts[next] < position) __builtin_trap();  // not at a character start
        const bool lineEnd = text[position] == '\r' || text[position] == '\n';
        if (lineBegins && !lineEnd && !isStart) __builtin_trap();
        if (lineEnd && isStart && position != 0) __builtin_trap();
        lineBegins = lineEnd;
        next += isStart ? 1 : 0;
    }
    if (next != starts.size()) __builtin_trap();  // a start at or beyond the end
    return 0;
}
