// Vertical columns: the form of each class of character at the edges of its codes, and the
// cells a column is laid out in, with a double-byte character never split.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/vertical_cells.h"

namespace tavori {
namespace {

using enum VerticalForm;

TEST(VerticalForms, EachClassOfCharacterAndItsNeighbours) {
    const struct {
        std::uint16_t code;
        VerticalForm form;
    } cases[] = {
        {0x8140, Upright},   {0x8141, Corner},    {0x8144, Corner},    {0x8145, Upright},  // 　、．・
        {0x8146, Turned},    {0x8147, Upright},                                            // ：；
        {0x815B, Turned},    {0x815C, Turned},    {0x8160, Turned},    {0x8163, Turned},   // ー―～…
        {0x8164, Turned},    {0x8168, Upright},   {0x8169, Turned},    {0x8175, Turned},   // ‥”（「
        {0x817A, Turned},    {0x817B, Upright},   {0x817C, Turned},    {0x8181, Turned},   // 】＋－＝
        {0x829F, SmallKana}, {0x82A0, Upright},   {0x82C1, SmallKana}, {0x82C2, Upright},  // ぁあっつ
        {0x82E5, SmallKana}, {0x82EC, SmallKana}, {0x8340, SmallKana}, {0x8341, Upright},  // ょゎァア
        {0x8362, SmallKana}, {0x8396, SmallKana}, {0x8397, Upright},                       // ッヶ
        // The same trail byte 0x5B as ー in ゼ, which stands upright; 亜 and 漢.
        {0x835B, Upright},   {0x889F, Upright},   {0x8ABF, Upright},
        // Every single byte is half-width and turned: ASCII, a space, ｡ and ﾟ at the ends of
        // the half-width katakana.
        {'A', Turned},       {'[', Turned},       {' ', Turned},       {0xA1, Turned},     {0xDF, Turned},
    };
    for (const auto& [code, form] : cases) {
        EXPECT_EQ(verticalForm(code), form) << std::hex << code;
    }
    EXPECT_EQ(verticalShiftEighths(Corner), 4);
    EXPECT_GT(verticalShiftEighths(SmallKana), 0);
    EXPECT_EQ(verticalShiftEighths(Turned), 0);
}

TEST(VerticalCells, FullCellsForDoubleByteAndHalfCellsForSingleByteCharacters) {
    // "A", ゼ (its trail byte 0x5B is "["), 。, "b", and a lead byte alone at the end.
    const std::string column = "A\x83\x5B\x81\x42" "b\x82";
    std::vector<VerticalCell> cells;
    EXPECT_EQ(forEachVerticalCell(column, 62, [&](const VerticalCell& cell) { cells.push_back(cell); }),
              31 + 62 + 62 + 31 + 31);
    const struct {
        int top, height;
        std::size_t position, length;
        std::uint16_t code;
        VerticalForm form;
    } expected[] = {
        {0, 31, 0, 1, 'A', Turned},       {31, 62, 1, 2, 0x835B, Upright}, {93, 62, 3, 2, 0x8142, Corner},
        {155, 31, 5, 1, 'b', Turned},     {186, 31, 6, 1, 0x82, Turned},
    };
    ASSERT_EQ(cells.size(), std::size(expected));
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const auto& [top, height, position, length, code, form] = expected[i];
        EXPECT_TRUE(cells[i].top == top && cells[i].height == height && cells[i].position == position &&
                    cells[i].length == length && cells[i].code == code && cells[i].form == form)
            << i;
    }
    EXPECT_EQ(verticalColumnLength(column, 62), 217);
    // Cells too small to halve cover nothing.
    EXPECT_EQ(verticalColumnLength(column, 1), 0);
}

}  // namespace
}  // namespace tavori
