// Drawing a page: centred rows 40 px apart, the fitted widths of each kind of row, empty rows
// left undrawn; and the same page in columns: their geometry, order, cells and blanked boxes.
#include <gtest/gtest.h>

#include "reading/reading.h"
#include "reading/reading_test_support.h"
#include "reading/vertical_page.h"
#include "support/fake_platform.h"

namespace tavori {
namespace {

using testing::readingOver;
using testing::RasterCanvas;
using testing::TextRun;
using testing::VerticalCellRun;

constexpr std::string_view kA = "\x82\xA0";  // あ
constexpr Colour kRed = rgb(255, 0, 0);

class PageDrawing : public ::testing::Test {
protected:
    PageDrawing() : context{platform, random, shell} { platform.setClientSize(1200, 700); }

    // Shows one page at once and returns the text runs it drew.
    std::vector<TextRun> showPage(ReadingState& reading) {
        platform.window().clearTextRuns();
        reading.pageTickCount = shell.displayTicks;
        stepSpeedReading(reading, context);
        return platform.window().textRuns();
    }

    static void expectRun(const TextRun& run, int x, int y, const std::string& bytes, int charWidth) {
        EXPECT_EQ(run.x, x);
        EXPECT_EQ(run.y, y);
        EXPECT_EQ(run.bytes, bytes);
        EXPECT_EQ(run.charWidth, charWidth) << bytes;
        EXPECT_EQ(run.cellHeight, 32);
        EXPECT_EQ(run.foreground, kWhite);
        EXPECT_EQ(run.background, kBlack);
    }

    testing::FakePlatform platform;
    RandomGenerator random{1};
    ShellState shell{Mode::SpeedReading, 5, 1200, 700};
    Context context;
};

TEST_F(PageDrawing, WideRowsInA1000PixelBox) {
    // A full row, a row cut before a double-byte character at column 31, a short last row.
    const std::string full(32, 'a');
    const std::string cut = std::string(31, 'b');
    ReadingState reading = readingOver(full + cut + std::string(kA) + "cdef", 3, 32);
    const auto runs = showPage(reading);
    ASSERT_EQ(runs.size(), 3u);
    // x = 600 − 500; y = 350 − (3 × 40) ÷ 2.
    expectRun(runs[0], 100, 290, full + " ", 29);
    expectRun(runs[1], 100, 330, cut + "  ", 29);
    expectRun(runs[2], 100, 370, std::string(kA) + "cdef", 1000 / 6 - 1);
    // The last row met the end, so the next page starts again at the first byte.
    EXPECT_EQ(showPage(reading)[0].bytes, full + " ");
}

TEST_F(PageDrawing, PageMeetingTheEndInRowZeroDrawsOnlyTheBlankRows) {
    ReadingState reading = readingOver("a\r\nb\r\nc\r\n", 3, 32);
    showPage(reading);
    const auto blanks = showPage(reading);
    ASSERT_EQ(blanks.size(), 2u);
    expectRun(blanks[0], 100, 330, std::string(33, ' '), 29);
    expectRun(blanks[1], 100, 370, std::string(33, ' '), 29);
    EXPECT_EQ(showPage(reading)[0].bytes, "a" + std::string(32, ' '));
}

TEST_F(PageDrawing, NarrowRowsInA500PixelBox) {
    // A full row (16 bytes), a row of 17 bytes, a row ended by CR LF, then a blank row.
    const std::string full(16, 'a');
    const std::string seventeen = std::string(15, 'b') + std::string(kA);
    ReadingState reading = readingOver(full + seventeen + "c\r\n", 4, 16);
    const auto runs = showPage(reading);
    ASSERT_EQ(runs.size(), 3u);
    // x = 600 − 250; y = 350 − (4 × 40) ÷ 2; the fourth row is where the end was met.
    expectRun(runs[0], 350, 270, full, 30);
    expectRun(runs[1], 350, 310, seventeen, 28);
    expectRun(runs[2], 350, 350, "c" + std::string(32, ' '), 14);
    reading = readingOver("xy", 2, 16);
    const auto endRuns = showPage(reading);
    ASSERT_EQ(endRuns.size(), 2u);
    expectRun(endRuns[0], 350, 310, "xy", 249);
    expectRun(endRuns[1], 350, 350, std::string(16, ' '), 30);
}

TEST_F(PageDrawing, EveryRowBlanksItsWholeBoxAroundItsText) {
    // Eight characters: a page of two full rows, then one of a row ended by CR LF (33 bytes
    // of 14 px, 462 of the 500 px) and an empty row where the end was met.
    ReadingState reading = readingOver(std::string(32, 'a') + "b\r\n", 2, 16);
    platform.window().fillRect(0, 0, 1200, 700, kRed);
    showPage(reading);
    const auto runs = showPage(reading);
    ASSERT_EQ(runs.size(), 1u);
    expectRun(runs[0], 350, 310, "b" + std::string(32, ' '), 14);
    // Nothing of the earlier page is left in either box: black but for the dot of "b".
    RasterCanvas& window = platform.window();
    EXPECT_EQ(window.countPixels(350, 310, 850, 342, kBlack), 500 * 32 - 1);
    EXPECT_EQ(window.countPixels(350, 350, 850, 382, kBlack), 500 * 32);
    // Outside the boxes the screen is left as it was.
    EXPECT_EQ(window.countPixels(0, 342, 1200, 350, kRed), 1200 * 8);
}

TEST_F(PageDrawing, NarrowClientPutsTheRowsLeftOfTheEdge) {
    shell.clientWidth = 800;
    ReadingState reading = readingOver(std::string(40, 'z'), 1, 32);
    const auto runs = showPage(reading);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].x, -100);
    EXPECT_EQ(runs[0].y, 330);
}

TEST_F(PageDrawing, VerticalCellsShrinkToFitTheAreaAndTheColumnsAreCentred) {
    const struct {
        int width, height, bytesPerLine;
        VerticalPageLayout layout;
    } cases[] = {
        // Height-bound: 16 cells and a cell above and below in 1010 px give 56 (1008).
        {1920, 1010, 32, {56, 70, 896, 1457, 57}},
        // 8½ cells (a double-byte character begun at the last byte) and two more fit: 62.
        {1920, 1010, 16, {62, 78, 527, 1514, 242}},
        {1366, 700, 32, {38, 48, 608, 1024, 46}},
        // Width-bound: 15 spacings and 3 cells are 1008 px at 46, 1044 at 48.
        {1024, 700, 16, {46, 58, 391, 924, 155}},
    };
    for (const auto& [width, height, bytesPerLine, expected] : cases) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height) + ", " + std::to_string(bytesPerLine));
        platform.setClientSize(width, height);
        shell.clientWidth = width;
        shell.clientHeight = height;
        ReadingState reading = readingOver(std::string(600, 'a'), 16, bytesPerLine);
        reading.vertical = true;
        const VerticalPageLayout layout = verticalPageLayout(reading, width, height);
        EXPECT_EQ(layout.cellSize, expected.cellSize);
        EXPECT_EQ(layout.spacing, expected.spacing);
        EXPECT_EQ(layout.columnLength, expected.columnLength);
        EXPECT_EQ(layout.firstColumnX, expected.firstColumnX);
        EXPECT_EQ(layout.top, expected.top);
        // The margins hold: a cell above and below, and a cell either side of the page.
        EXPECT_GE(layout.top, layout.cellSize);
        EXPECT_LE(layout.top + layout.columnLength + layout.cellSize, height);
        EXPECT_LE(layout.firstColumnX + 2 * layout.cellSize, width);
        EXPECT_GE(layout.firstColumnX - 15 * layout.spacing, layout.cellSize);
        // The drawn page follows it: its last cell is the leftmost column's last.
        showPage(reading);
        const auto& cells = platform.window().verticalCells();
        ASSERT_EQ(cells.size(), 16u * static_cast<std::size_t>(bytesPerLine));
        EXPECT_EQ(cells.back().x, layout.firstColumnX - 15 * layout.spacing);
        EXPECT_EQ(cells.back().y, layout.top + (bytesPerLine - 1) * layout.cellSize / 2);
    }
    // Cells hold at 2 px where nothing fits.
    EXPECT_EQ(verticalPageLayout(readingOver("a", 16, 32), 30, 20).cellSize, 2);
}

TEST_F(PageDrawing, VerticalColumnsReadTopToBottomFromTheRightInTheirForms) {
    // Row 0: 「あ」、then a line end; row 1: eight ゼ (its trail byte is "["); row 2: fifteen
    // "b" and っ, taken whole past the 16th byte; row 3 meets the text's end.
    const std::string zeRow = [] { std::string row; for (int i = 0; i < 8; ++i) row += "\x83\x5B"; return row; }();
    ReadingState reading =
        readingOver("\x81\x75\x82\xA0\x81\x76\x81\x41\r\n" + zeRow + std::string(15, 'b') + "\x82\xC1", 4, 16);
    reading.vertical = true;
    showPage(reading);
    EXPECT_TRUE(platform.window().textRuns().empty());
    const auto& cells = platform.window().verticalCells();
    // 1200 x 700: cells of 62, 78 apart, four columns centred: 600 − (3 × 78 + 62) ÷ 2 = 452.
    const int right = 452 + 3 * 78;
    const int top = 350 - 527 / 2;
    const struct {
        int x, y, height;
        std::string bytes;
        VerticalForm form;
    } expected[] = {
        {right, top, 62, "\x81\x75", VerticalForm::Turned},      {right, top + 62, 62, "\x82\xA0", VerticalForm::Upright},
        {right, top + 124, 62, "\x81\x76", VerticalForm::Turned}, {right, top + 186, 62, "\x81\x41", VerticalForm::Corner},
    };
    // The padding after the line end is not drawn: row 0 has its four characters only.
    ASSERT_EQ(cells.size(), 4u + 8u + 16u);
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(cells[i].x, expected[i].x) << i;
        EXPECT_EQ(cells[i].y, expected[i].y) << i;
        EXPECT_EQ(cells[i].height, expected[i].height) << i;
        EXPECT_EQ(cells[i].bytes, expected[i].bytes) << i;
        EXPECT_EQ(cells[i].form, expected[i].form) << i;
    }
    for (std::size_t i = 4; i < 12; ++i) {
        EXPECT_EQ(cells[i].bytes, "\x83\x5B") << i;
        EXPECT_EQ(cells[i].form, VerticalForm::Upright) << i;
        EXPECT_EQ(cells[i].x, right - 78) << i;
    }
    // Fifteen half cells of "b", then っ whole in the last full cell of the box.
    EXPECT_EQ(cells[12].height, 31);
    EXPECT_EQ(cells[12].form, VerticalForm::Turned);
    EXPECT_EQ(cells.back().bytes, "\x82\xC1");
    EXPECT_EQ(cells.back().form, VerticalForm::SmallKana);
    EXPECT_EQ(cells.back().x, right - 2 * 78);
    EXPECT_EQ(cells.back().y + cells.back().height, top + 527);
}

TEST_F(PageDrawing, AVerticalPageAfterALongerOneLeavesNothingOfItInItsBoxes) {
    // Two full columns of 亜, then a page of one short column and an empty one after the end.
    std::string full;
    for (int i = 0; i < 16; ++i) full += "\x88\x9F";
    ReadingState reading = readingOver(full + full + "x", 2, 32);
    reading.vertical = true;
    RasterCanvas& window = platform.window();
    window.fillRect(0, 0, 1200, 700, kRed);
    showPage(reading);
    const VerticalPageLayout layout = verticalPageLayout(reading, 1200, 700);
    const int left = layout.firstColumnX - layout.spacing;
    const int bottom = layout.top + layout.columnLength;
    EXPECT_EQ(window.countPixels(left, layout.top, layout.firstColumnX + layout.cellSize, bottom, kWhite), 32);
    showPage(reading);
    ASSERT_EQ(window.verticalCells().size(), 1u);
    EXPECT_EQ(window.verticalCells()[0].bytes, "x");
    // Each box is black but for the mark of "x"; the gap between the boxes and all around them
    // are as they were.
    const int boxArea = layout.cellSize * layout.columnLength;
    EXPECT_EQ(window.countPixels(layout.firstColumnX, layout.top, layout.firstColumnX + layout.cellSize, bottom, kBlack),
              boxArea - 1);
    EXPECT_EQ(window.countPixels(left, layout.top, left + layout.cellSize, bottom, kBlack), boxArea);
    EXPECT_EQ(window.countPixels(0, 0, 1200, 700, kRed), 1200 * 700 - 2 * boxArea);
}

}  // namespace
}  // namespace tavori
