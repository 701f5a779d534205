// The forms of the double-byte characters that do not stand upright in a column, as ranges of
// their Shift-JIS codes; every single-byte character is a half-width one and is turned.
#include "gfx/vertical_cells.h"

#include <algorithm>
#include <iterator>

namespace tavori {

namespace {

struct FormRange {
    std::uint16_t first;
    std::uint16_t last;
    VerticalForm form;
};

using enum VerticalForm;

// In code order, so one binary search finds a character's range.
constexpr FormRange kFormRanges[] = {
    {0x8141, 0x8144, Corner},     // 、。，．
    {0x8146, 0x8146, Turned},     // ：
    {0x8150, 0x8151, Turned},     // ￣＿
    {0x815B, 0x815D, Turned},     // ー―‐
    {0x8160, 0x8164, Turned},     // ～∥｜…‥
    {0x8169, 0x817A, Turned},     // （）〔〕［］｛｝〈〉《》「」『』【】
    {0x817C, 0x817C, Turned},     // －
    {0x8181, 0x8181, Turned},     // ＝
    {0x8183, 0x8184, Turned},     // ＜＞
    {0x829F, 0x829F, SmallKana},  // ぁ
    {0x82A1, 0x82A1, SmallKana},  // ぃ
    {0x82A3, 0x82A3, SmallKana},  // ぅ
    {0x82A5, 0x82A5, SmallKana},  // ぇ
    {0x82A7, 0x82A7, SmallKana},  // ぉ
    {0x82C1, 0x82C1, SmallKana},  // っ
    {0x82E1, 0x82E1, SmallKana},  // ゃ
    {0x82E3, 0x82E3, SmallKana},  // ゅ
    {0x82E5, 0x82E5, SmallKana},  // ょ
    {0x82EC, 0x82EC, SmallKana},  // ゎ
    {0x8340, 0x8340, SmallKana},  // ァ
    {0x8342, 0x8342, SmallKana},  // ィ
    {0x8344, 0x8344, SmallKana},  // ゥ
    {0x8346, 0x8346, SmallKana},  // ェ
    {0x8348, 0x8348, SmallKana},  // ォ
    {0x8362, 0x8362, SmallKana},  // ッ
    {0x8383, 0x8383, SmallKana},  // ャ
    {0x8385, 0x8385, SmallKana},  // ュ
    {0x8387, 0x8387, SmallKana},  // ョ
    {0x838E, 0x838E, SmallKana},  // ヮ
    {0x8395, 0x8396, SmallKana},  // ヵヶ
};

static_assert(std::is_sorted(std::begin(kFormRanges), std::end(kFormRanges),
                             [](const FormRange& a, const FormRange& b) { return a.last < b.first; }));

}  // namespace

VerticalForm verticalForm(std::uint16_t code) {
    // ASCII, half-width katakana and a lead byte standing alone all take half a cell, turned.
    if (code < 0x100) {
        return Turned;
    }
    const auto* found = std::lower_bound(std::begin(kFormRanges), std::end(kFormRanges), code,
                                         [](const FormRange& range, std::uint16_t wanted) { return range.last < wanted; });
    return found != std::end(kFormRanges) && found->first <= code ? found->form : Upright;
}

int verticalColumnLength(std::string_view bytes, int cellSize) {
    return forEachVerticalCell(bytes, cellSize, [](const VerticalCell&) {});
}

}  // namespace tavori
