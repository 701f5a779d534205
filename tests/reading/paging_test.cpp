// Building pages from the reading text: row cuts, CR LF, the end of the text and the step count.
#include <gtest/gtest.h>

#include "reading/reading.h"
#include "reading/reading_test_support.h"
#include "support/fake_platform.h"

namespace tavori {
namespace {

using testing::readingOver;
using testing::rowText;

constexpr std::string_view kA = "\x82\xA0";  // あ
const std::string kSpaces32(32, ' ');

TEST(ReadingPage, DoubleByteCharacterNeverSplitsAcrossTheWideRow) {
    // Starting at column 31 it moves to the next row, and column 31 becomes a space.
    ReadingState reading = readingOver(std::string(31, 'a') + std::string(kA) + "b", 1, 32);
    PageRows rows;
    buildReadingPage(reading, rows);
    EXPECT_EQ(rowText(rows[0]), std::string(31, 'a') + " ");
    EXPECT_EQ(reading.readingPosition, 31);
    buildReadingPage(reading, rows);
    EXPECT_EQ(rowText(rows[0]), std::string(kA) + "b");
    // Starting at column 30 it still fits.
    reading = readingOver(std::string(30, 'a') + std::string(kA) + "b", 1, 32);
    buildReadingPage(reading, rows);
    EXPECT_EQ(rowText(rows[0]), std::string(30, 'a') + std::string(kA));
    EXPECT_EQ(reading.readingPosition, 32);
}

TEST(ReadingPage, NarrowRowTakesADoubleByteCharacterBegunAtColumn15Whole) {
    ReadingState reading = readingOver(std::string(15, 'a') + std::string(kA) + "xyz", 2, 16);
    PageRows rows;
    buildReadingPage(reading, rows);
    EXPECT_EQ(rowText(rows[0]), std::string(15, 'a') + std::string(kA));  // 17 bytes
    EXPECT_EQ(rowText(rows[1]), "xyz");
    // A trail byte that looks like CR or a lead byte is never taken on its own.
    reading = readingOver(std::string(15, 'a') + "\x81\x0D\x0A" + "q", 1, 16);
    buildReadingPage(reading, rows);
    EXPECT_EQ(rowText(rows[0]), std::string(15, 'a') + "\x81\x0D");
    EXPECT_EQ(reading.readingPosition, 17);
}

TEST(ReadingPage, CrLfFillsSpacesToColumn31InEitherWidth) {
    PageRows rows;
    ReadingState reading = readingOver("\r\nab\r\ncd", 3, 32);
    buildReadingPage(reading, rows);
    EXPECT_EQ(rowText(rows[0]), kSpaces32);
    EXPECT_EQ(rowText(rows[1]), "ab" + std::string(30, ' '));
    EXPECT_EQ(rowText(rows[2]), "cd");
    // The narrow width fills to column 31 too, past its 16 bytes.
    reading = readingOver("abc\r\nd", 1, 16);
    buildReadingPage(reading, rows);
    EXPECT_EQ(rowText(rows[0]), "abc" + std::string(29, ' '));
    EXPECT_EQ(reading.readingPosition, 5);
    // A CR LF at column 31 ends the row with one space; one after a full row opens a blank row.
    reading = readingOver(std::string(31, 'a') + "\r\n" + std::string(32, 'b') + "\r\nc", 3, 32);
    buildReadingPage(reading, rows);
    EXPECT_EQ(rowText(rows[0]), std::string(31, 'a') + " ");
    EXPECT_EQ(rowText(rows[1]), std::string(32, 'b'));
    EXPECT_EQ(rowText(rows[2]), kSpaces32);
    EXPECT_EQ(reading.readingPosition, 33 + 34);
}

TEST(ReadingPage, LoneCrAndLfAreText) {
    ReadingState reading = readingOver("ab\ncd\re\n\rf", 1, 32);
    PageRows rows;
    buildReadingPage(reading, rows);
    EXPECT_EQ(rowText(rows[0]), "ab\ncd\re\n\rf");
    // Rows of an LF-ended file are cut by width alone.
    reading = readingOver(std::string(10, 'x') + "\n" + std::string(10, 'y') + "\n", 1, 16);
    buildReadingPage(reading, rows);
    EXPECT_EQ(rowText(rows[0]), std::string(10, 'x') + "\n" + std::string(5, 'y'));
    EXPECT_EQ(reading.readingPosition, 16);
}

TEST(ReadingPage, EndOfTextBlanksTheRowsBelowAndRestartsAtZero) {
    PageRows rows;
    // Met at column 3 of row 0: the row keeps its bytes, every later row is blank.
    ReadingState reading = readingOver("abc", 3, 16);
    reading.readingPosition = 0;
    buildReadingPage(reading, rows);
    EXPECT_EQ(rowText(rows[0]), "abc");
    for (int r = 1; r < kPageRowCount; ++r) EXPECT_EQ(rowText(rows[static_cast<std::size_t>(r)]), std::string(16, ' ')) << r;
    EXPECT_EQ(reading.readingPosition, 0);

    // A text ending in CR LF meets the end at column 0 of the next row: that row is empty.
    reading = readingOver("abc\r\n", 3, 32);
    buildReadingPage(reading, rows);
    EXPECT_EQ(rowText(rows[0]), "abc" + std::string(29, ' '));
    EXPECT_EQ(rowText(rows[1]), "");
    EXPECT_EQ(rowText(rows[2]), kSpaces32);
    EXPECT_EQ(rowText(rows[15]), kSpaces32);
    EXPECT_EQ(reading.readingPosition, 0);
}

TEST(ReadingPage, PageMeetingTheEndInRowZero) {
    // The last CR LF ends the last row of a page, so the next page meets the end at once.
    ReadingState reading = readingOver("a\r\nb\r\nc\r\n", 3, 32);
    PageRows rows;
    buildReadingPage(reading, rows);
    EXPECT_EQ(rowText(rows[2]), "c" + std::string(31, ' '));
    EXPECT_EQ(reading.readingPosition, 9);
    buildReadingPage(reading, rows);
    EXPECT_EQ(rowText(rows[0]), "");
    EXPECT_EQ(rowText(rows[1]), kSpaces32);
    EXPECT_EQ(rowText(rows[2]), kSpaces32);
    EXPECT_EQ(reading.readingPosition, 0);
    buildReadingPage(reading, rows);
    EXPECT_EQ(rowText(rows[0]), "a" + std::string(31, ' '));
    // The empty text: every page is an empty row 0 and blank rows.
    reading = readingOver("", 2, 16);
    buildReadingPage(reading, rows);
    EXPECT_EQ(rowText(rows[0]), "");
    EXPECT_EQ(rowText(rows[1]), std::string(16, ' '));
}

TEST(ReadingPage, LeadByteAsTheLastByteTakesTheTerminatorAndReadsNoFurther) {
    // With the usual padding: the NUL after the text is its partner, the next NUL ends it.
    ReadingState reading = readingOver("ab\x82", 2, 16);
    PageRows rows;
    buildReadingPage(reading, rows);
    EXPECT_EQ(rowText(rows[0]), "ab\x82");
    EXPECT_EQ(rowText(rows[1]), std::string(16, ' '));
    EXPECT_EQ(reading.readingPosition, 0);
    // A buffer with no padding at all (and a position left from a longer text) stays in
    // bounds; the sanitizer build would report any read past it.
    reading.readingText.assign({'a', 'b', '\x82'});
    buildReadingPage(reading, rows);
    EXPECT_EQ(rowText(rows[0]), "ab\x82");
    EXPECT_EQ(reading.readingPosition, 0);
    reading.readingText.assign({'a', '\r'});
    reading.readingPosition = 1;
    buildReadingPage(reading, rows);
    EXPECT_EQ(rowText(rows[0]), "\r");
    reading.readingPosition = 100000;
    buildReadingPage(reading, rows);
    EXPECT_EQ(rowText(rows[0]), "");
    EXPECT_EQ(reading.readingPosition, 0);
}

class ReadingSteps : public ::testing::Test {
protected:
    ReadingSteps() : context{platform, random, shell} {}

    // Steps `count` times and returns how many of them drew a page.
    int pagesOver(int count) {
        int pages = 0;
        for (int i = 0; i < count; ++i) {
            const std::size_t before = platform.window().textRuns().size();
            stepSpeedReading(reading, context);
            pages += platform.window().textRuns().size() > before ? 1 : 0;
        }
        return pages;
    }

    testing::FakePlatform platform;
    RandomGenerator random{1};
    ShellState shell{Mode::SpeedReading, 5, 1000, 600};
    Context context;
    ReadingState reading = readingOver("0123456789abcdefghijklmnopqrstuvwxyz", 1, 16);
};

TEST_F(ReadingSteps, OnePagePerDisplayTicksSteps) {
    shell.displayTicks = 1;
    // The count starts at 0: the first step only counts, then every step shows a page.
    EXPECT_EQ(pagesOver(1), 0);
    EXPECT_EQ(reading.pageTickCount, 1);
    EXPECT_EQ(pagesOver(3), 3);
    EXPECT_EQ(reading.readingPosition, 0);  // 16 + 16 + the 4 bytes that meet the end

    shell.displayTicks = 50;
    EXPECT_EQ(pagesOver(48), 0);
    EXPECT_EQ(reading.pageTickCount, 49);
    EXPECT_EQ(pagesOver(1), 0);
    EXPECT_EQ(pagesOver(1), 1);
    EXPECT_EQ(reading.pageTickCount, 1);
    EXPECT_EQ(pagesOver(100), 2);
    // A count already past a shortened display time shows the page at once.
    shell.displayTicks = 50;
    pagesOver(30);
    shell.displayTicks = 10;
    EXPECT_EQ(pagesOver(1), 1);
}

}  // namespace
}  // namespace tavori
