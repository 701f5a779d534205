// Phrase rows and flashes over the bundled text and the phrase corpus: every character once and
// in order, no row wider than its width, the line breaking rules kept except where they cannot
// be, paging there and back; the rules' edge cases; and the pace kept over a minute of ticks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "common/cp932_encoder.h"
#include "files/text_file.h"
#include "phrases/phrase_segmenter.h"
#include "reading/phrase_rows.h"
#include "reading/reading_test_support.h"
#include "support/fake_platform.h"

namespace tavori {
namespace {

using testing::readingOver;
using testing::rowText;

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The bundled text and every corpus text as the program loads them (UTF-8 converted, Aozora
// Bunko markup cleaned).
std::vector<std::pair<std::string, std::string>> texts() {
    std::vector<std::pair<std::string, std::string>> all = {
        {"w.txt", programText(fileBytes(std::filesystem::path(TAVORI_SOURCE_DATA_DIR) / "w.txt"), TextKind::Reading)}};
    for (const auto& entry : std::filesystem::directory_iterator(TAVORI_PHRASE_CORPUS_DIR)) {
        all.emplace_back(entry.path().filename().string(), programText(fileBytes(entry.path()), TextKind::Reading));
    }
    return all;
}

bool startsLine(std::string_view text, std::size_t at) { return at == 0 || text[at - 1] == '\n' || text[at - 1] == '\r'; }

// Whether some cut inside the row [start, fitEnd) obeys the rules.
bool someCutObeys(std::string_view text, std::size_t start, int width) {
    std::size_t previous = start;
    for (std::size_t at = start + characterWidthAt(text, start); at < text.size() && at - start <= static_cast<std::size_t>(width) && lineEndWidth(text, at) == 0;
         previous = at, at += characterWidthAt(text, at)) {
        if (!mayNotStartRow(text, at) && !mayNotEndRow(text, previous)) return true;
    }
    return false;
}

TEST(PhraseRows, EveryTextAtBothWidthsShowsEachCharacterOnceWithinTheWidthAndTheRules) {
    for (const auto& [name, text] : texts()) {
        const std::vector<std::size_t> starts = phraseStarts(text);
        const std::vector<std::uint8_t> classes = rowCutClasses(text, starts);
        for (const int width : {16, 32}) {
            std::string shown, expected;
            int unmetStarts = 0;
            for (std::size_t at = 0; at < text.size(); at += std::max<std::size_t>(lineEndWidth(text, at), characterWidthAt(text, at))) {
                if (lineEndWidth(text, at) == 0) expected.append(text, at, characterWidthAt(text, at));
            }
            for (std::size_t start = 0, previous = 0; start < text.size(); previous = start) {
                const std::size_t end = phraseRowEnd(text, starts, start, width);
                ASSERT_GT(end, start) << name;
                // The page builder's scan over the cut classes cuts every row the same.
                EXPECT_EQ(phraseRowCut(text, classes, starts, start, width).end, end) << name << " at " << start;
                std::size_t bytes = 0;
                std::size_t last = start;
                for (std::size_t at = start; at < end && lineEndWidth(text, at) == 0; at += characterWidthAt(text, at)) {
                    shown.append(text, at, characterWidthAt(text, at));
                    bytes += characterWidthAt(text, at);
                    last = at;
                }
                EXPECT_LE(bytes, static_cast<std::size_t>(width)) << name << " at " << start;
                // A rule is broken only at a line's own start, or where the row before could not
                // be cut anywhere that keeps it.
                if (bytes > 0 && end < text.size() && lineEndWidth(text, end) == 0 && !startsLine(text, end)) {
                    EXPECT_FALSE(mayNotEndRow(text, last) && someCutObeys(text, start, width)) << name << " at " << last;
                }
                if (mayNotStartRow(text, start) && !startsLine(text, start)) {
                    ++unmetStarts;
                    EXPECT_FALSE(someCutObeys(text, previous, width)) << name << " at " << start;
                }
                start = end;
            }
            EXPECT_EQ(shown, expected) << name << " " << width;
            EXPECT_EQ(unmetStarts, 0) << name << " " << width;
        }
    }
}

TEST(PhraseRows, TheRulesEdgeCases) {
    const auto sjis = [](const char* utf8) { return utf8ToCp932(utf8); };
    const struct {
        const char* name;
        std::string text;
        int width;
        std::vector<std::size_t> rowEnds;  // each row's end from the text's start
    } cases[] = {
        // Letters hold no phrase start. A comma may not start the second row: the character
        // before it goes down with it (追い出し); nor may ( end a row, nor a small っ start one.
        {"追い出し before ,", "abcdefghijklmnop,q", 16, {15, 18}},
        {"( at the width", "abcdefghijklmno(p)", 16, {15, 18}},
        {"small kana at the width", "abcdefghijklmno" + sjis("っと"), 16, {14, 19}},
        // A run of marks longer than the row cannot be cut anywhere better: it is cut at the width.
        {"a run of 、 longer than the row", sjis("あ、、、、、、、、、"), 16, {16, 20}},
        // ゾ is 0x83 0x5D: its trail byte is no ']' to the rules.
        {"a trail byte that looks like ']'", sjis("ゾゾゾゾゾゾゾゾゾ"), 16, {16, 18}},
        // A line that opens with a mark keeps it: there is nothing before it to move.
        {"a line opening with 。", sjis("あ\r\n。い"), 16, {4, 8}},
        // A full line takes its line end, leaving no empty row; an empty line is a row of its own.
        {"a full line and an empty one", sjis("あいうえおかきく\r\n\r\nけ"), 16, {18, 20, 22}},
    };
    for (const auto& each : cases) {
        const std::vector<std::size_t> starts = phraseStarts(each.text);
        std::vector<std::size_t> ends;
        for (std::size_t at = 0; at < each.text.size(); at = ends.back()) ends.push_back(phraseRowEnd(each.text, starts, at, each.width));
        EXPECT_EQ(ends, each.rowEnds) << each.name;
    }
    // A flash stops after a sentence's end (a quotation's 。 does not end one when と follows),
    // and at a line end, which it takes with the blank lines after it.
    const std::string text = sjis("私は本を読む。「そうか。」と言った。\r\n\r\n次");
    const std::vector<std::size_t> starts = phraseStarts(text);
    std::vector<std::size_t> flashes;
    for (std::size_t at = 0; at < text.size(); at = flashes.back()) flashes.push_back(phraseFlashEnd(text, starts, at, 3, 32));
    EXPECT_EQ(flashes, (std::vector<std::size_t>{14, 40, 42}));
}

// Pages of every row count, in rows and columns, go forward over the whole text and back.
TEST(PhraseRows, PagesGoOverTheWholeTextAndBackAtEveryRowCount) {
    const std::string text = texts().front().second;
    testing::FakePlatform platform;
    RandomGenerator random{1};
    ShellState shell{Mode::SpeedReading, 5, 1200, 800};
    Context context(platform, random, shell);
    for (int rows = 1; rows <= kPageRowCount; ++rows) {
        for (const bool vertical : {false, true}) {
            ReadingState reading = readingOver(text, rows, rows % 2 == 0 ? 32 : 16);
            reading.phraseRows = true;
            reading.vertical = vertical;
            reading.textCharacters = static_cast<std::int32_t>(text.size());  // only for the figures
            std::vector<std::int32_t> forward;
            do {
                forward.push_back(reading.readingPosition);
                showNextPage(reading, context);
            } while (reading.readingPosition != 0);
            std::vector<std::int32_t> backward;
            for (std::size_t page = 1; page < forward.size(); ++page) {
                showPreviousPage(reading, context);
                backward.insert(backward.begin(), reading.pagesShown.back().start);
            }
            forward.pop_back();
            EXPECT_EQ(backward, forward) << rows << " " << vertical;
            EXPECT_GT(forward.size(), 1u);
        }
    }
}

TEST(PhraseRows, AFlashIsCentredInAFullRowAndThePageKeepsItsCharacters) {
    ReadingState reading = readingOver(utf8ToCp932("私は本を読む。"), 5, 32);
    reading.phrasesPerFlash = 2;
    PageRows rows;
    buildReadingPage(reading, rows);
    // 私は本を (8 bytes) in the 33 bytes a full row draws: 12 spaces before it.
    EXPECT_EQ(rowText(rows[0]), std::string(12, ' ') + utf8ToCp932("私は本を") + std::string(12, ' '));
    EXPECT_EQ(rowText(rows[1]), std::string(32, ' '));
    EXPECT_EQ(reading.readingPosition, 8);
}

// Over 600 ticks at each pace, the characters of the pages shown keep to it within 1 %, whether
// pages of one row or flashes of three phrases; a sentence's end holds its page longer, and the
// next pages make the time up.
TEST(Pace, EveryPaceIsKeptWithinOnePercentOverAMinute) {
    const std::string text = texts().front().second;
    testing::FakePlatform platform;
    RandomGenerator random{1};
    for (const int pace : {300, 400, 500, 600, 800, 1000, 1200, 1500, 2000, 3000, 5000}) {
        for (const int flash : {0, 3}) {
            ShellState shell{Mode::SpeedReading, 5, 1200, 800, pace};
            Context context(platform, random, shell);
            ReadingState reading = readingOver(text, 1, 32);
            reading.phraseRows = true;
            reading.phrasesPerFlash = flash;
            showNextPage(reading, context);
            std::int64_t characters = 0;
            std::int64_t ticksOfPages = 0;
            for (int tick = 0, since = 0; tick < 600; ++tick) {
                // Each page adds its ticks to the record's count as it is shown.
                const std::int64_t pages = reading.pageTicksInAll;
                const std::int32_t shown = reading.pagesShown.back().characters;
                ++since;
                stepSpeedReading(reading, context);
                if (reading.pageTicksInAll != pages) {
                    characters += shown;
                    ticksOfPages += since;
                    since = 0;
                }
            }
            const double perMinute = static_cast<double>(characters) * 600 / static_cast<double>(ticksOfPages);
            if (flash == 0 || pace <= 3000) {
                EXPECT_NEAR(perMinute, pace, pace / 100.0) << pace << " flash " << flash;
            }
        }
    }
    PaceCarry carry;
    EXPECT_EQ(pacedTicks(carry, 10, 600, false), 10);
    EXPECT_EQ(pacedTicks(carry, 10, 600, true), 10 + kSentencePauseTicks);
    EXPECT_EQ(pacedTicks(carry, 10, 600, false), 10 - kSentencePauseTicks);
}

}  // namespace
}  // namespace tavori
