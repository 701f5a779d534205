// Drawing a page: centred rows 40 px apart, the fitted widths of each kind of row, empty rows
// left undrawn.
#include <gtest/gtest.h>

#include "reading/reading.h"
#include "reading/reading_test_support.h"
#include "support/fake_platform.h"

namespace tavori {
namespace {

using testing::readingOver;
using testing::RasterCanvas;
using testing::TextRun;

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

}  // namespace
}  // namespace tavori
