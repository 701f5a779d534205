// Scores every gap between two characters of a line with BudouX's Japanese model, as its
// JavaScript parser does, over Shift-JIS character codes rather than Unicode.
#include "phrases/phrase_segmenter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

#include "common/sjis.h"
#include "phrases/key_index.h"

namespace tavori {
namespace {

#include "phrases/budoux_ja_model.inc"

constexpr KeyIndex kUnigrams(kUnigramKeys);
constexpr KeyIndex kBigrams(kBigramKeys);
constexpr KeyIndex kTrigrams(kTrigramKeys);

// The character's code as the model's keys spell it: a byte, or lead << 8 | trail, with a
// duplicate code (NEC and IBM rows) read as the one its character encodes to. A lone lead byte
// at the text's end is its own code, which no key holds.
std::uint16_t modelCode(std::string_view text, std::size_t position) {
    const auto lead = static_cast<unsigned char>(text[position]);
    if (characterWidthAt(text, position) == 1) {
        return lead;
    }
    const auto code = static_cast<std::uint16_t>((lead << 8) | static_cast<unsigned char>(text[position + 1]));
    const auto* alias = std::lower_bound(std::begin(kCodeAliases), std::end(kCodeAliases), code,
                                         [](const std::array<std::uint16_t, 2>& pair, std::uint16_t wanted) { return pair[0] < wanted; });
    return (alias != std::end(kCodeAliases) && (*alias)[0] == code) ? (*alias)[1] : code;
}

constexpr bool isLineEnd(char byte) { return byte == '\r' || byte == '\n'; }

// Appends the phrase starts of one line (codes[k] is its character at offsets[k]). The gap
// before character i scores the weights of the characters, pairs and triples around it; each
// n-gram is looked up once and adds its weights to the gaps it is a feature of. Sums are
// doubled so that "above half the model's total" stays in integers, as exact as the parser's
// doubles (the weights are integers).
void appendLineStarts(const std::vector<std::uint16_t>& codes, const std::vector<std::size_t>& offsets,
                      std::vector<std::int32_t>& sums, std::vector<std::size_t>& starts) {
    const std::size_t count = codes.size();
    // Gap i is sums[i + 2]; features of gaps -2..count+2, outside the line, land in the margins.
    sums.assign(count + 5, 0);
    for (std::size_t index = 0; index < count; ++index) {
        std::int32_t* gap = sums.data() + index + 2;  // the gap before this character
        if (const int row = kUnigrams.rowOf(codes[index]); row >= 0) {
            const auto& weights = kUnigramWeights[row];
            gap[3] += weights[0];
            gap[2] += weights[1];
            gap[1] += weights[2];
            gap[0] += weights[3];
            gap[-1] += weights[4];
            gap[-2] += weights[5];
        }
        if (index + 1 < count) {
            const std::uint32_t key = (std::uint32_t{codes[index]} << 16) | codes[index + 1];
            if (const int row = kBigrams.rowOf(key); row >= 0) {
                const auto& weights = kBigramWeights[row];
                gap[2] += weights[0];
                gap[1] += weights[1];
                gap[0] += weights[2];
            }
        }
        if (index + 2 < count) {
            const std::uint64_t key =
                (std::uint64_t{codes[index]} << 32) | (std::uint64_t{codes[index + 1]} << 16) | codes[index + 2];
            if (const int row = kTrigrams.rowOf(key); row >= 0) {
                const auto& weights = kTrigramWeights[row];
                gap[3] += weights[0];
                gap[2] += weights[1];
                gap[1] += weights[2];
                gap[0] += weights[3];
            }
        }
    }
    starts.push_back(offsets[0]);
    for (std::size_t index = 1; index < count; ++index) {
        if (2 * sums[index + 2] > kModelWeightTotal) {
            starts.push_back(offsets[index]);
        }
    }
}

}  // namespace

std::vector<std::size_t> phraseStarts(std::string_view text) {
    std::vector<std::size_t> starts;
    std::vector<std::uint16_t> codes;
    std::vector<std::size_t> offsets;
    std::vector<std::int32_t> sums;
    if (!text.empty() && isLineEnd(text[0])) {
        starts.push_back(0);  // a text that opens with a line end: its first phrase is that end
    }
    std::size_t position = 0;
    while (position < text.size()) {
        if (isLineEnd(text[position])) {
            ++position;
            continue;
        }
        codes.clear();
        offsets.clear();
        // The walker steps over trail bytes, so a trail byte 0x0A or 0x0D never ends a line.
        for (; position < text.size() && !isLineEnd(text[position]); position += characterWidthAt(text, position)) {
            offsets.push_back(position);
            codes.push_back(modelCode(text, position));
        }
        appendLineStarts(codes, offsets, sums, starts);
    }
    return starts;
}

}  // namespace tavori
