// The record file's lines: written and read back unchanged, and every kind of bad line skipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "record/history.h"

namespace tavori {
namespace {

SessionRecord readingSession() {
    SessionRecord record;
    record.start = {2026, 12, 8, 9, 30, 5};
    record.textName = "吾輩は猫である.txt";
    record.charactersShown = 12345;
    record.activeMilliseconds = 600000;
    record.nominalPerMinute = 1920;
    record.measuredPerMinute = 1234;
    return record;
}

// The good line with one of its tab-separated fields replaced.
std::string withField(std::size_t column, const std::string& value) {
    std::string line = historyLine(readingSession());
    std::size_t start = 0;
    for (std::size_t skipped = 0; skipped < column; ++skipped) start = line.find('\t', start) + 1;
    const std::size_t end = line.find_first_of("\t\n", start);
    return line.replace(start, end - start, value);
}

// The fields of a line the writer gave, none of them empty.
std::vector<std::string> fieldsOf(std::string_view line) {
    std::vector<std::string> fields;
    for (std::size_t start = 0; start < line.size(); start = line.find_first_of("\t\n", start) + 1) {
        fields.emplace_back(line.substr(start, line.find_first_of("\t\n", start) - start));
    }
    return fields;
}

// The reading session under a header that leaves out the column `left` and adds `added` (a
// field "new", or the date's again), backwards if asked; each column holds the writer's field.
std::string underHeader(std::string_view left, std::string_view added = "", bool backwards = false) {
    const std::vector<std::string> names = fieldsOf(historyHeader());
    const std::vector<std::string> fields = fieldsOf(historyLine(readingSession()));
    std::vector<std::pair<std::string, std::string>> columns;
    for (std::size_t index = 0; index < names.size(); ++index) {
        if (names[index] != left) columns.emplace_back(names[index], fields[index]);
    }
    if (!added.empty()) columns.emplace_back(added, added == "date" ? fields[0] : "new");
    if (backwards) std::reverse(columns.begin(), columns.end());
    std::string header;
    std::string line;
    for (const auto& [name, field] : columns) {
        header += name + '\t';
        line += field + '\t';
    }
    header.back() = line.back() = '\n';
    return header + line;
}

TEST(HistoryLine, WritesTheColumnsInTheHeadersOrder) {
    EXPECT_EQ(historyHeader(),
              "date\ttime\texercise\tdisplay_s\tcharacters\trows\tmaze\tvertical\ttext\tcharacters_shown\t"
              "active_ms\tnominal_cpm\tmeasured_cpm\tquestions\tfirst_try\twrong\tanswer_ms\tmazes\tmaze_ms\t"
              "puzzles\tpuzzle_ms\tphrase_rows\tflash\tpace_cpm\tlevel\tright\teffective_cpm\tabandoned\theld_cpm\n");
    EXPECT_EQ(historyLine(readingSession()),
              "2026-12-08\t09:30:05\treading\t0.5\t16\t1\t10\t0\t吾輩は猫である.txt\t12345\t600000\t1920\t1234"
              "\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\n");
}

TEST(HistoryLine, EveryExerciseAndBoundReadsBackEqual) {
    std::vector<SessionRecord> records(5, readingSession());
    records[0].displayTicks = 100;
    records[0].vertical = true;
    records[0].rows = 16;
    records[0].characters = 8;
    records[0].phraseRows = true;
    records[0].phrasesPerFlash = 3;
    records[0].pacePerMinute = 5000;
    records[0].questions = 12;  // checked practice
    records[0].rightAnswers = 9;
    records[0].heldPerMinute = 1500;
    records[1].exercise = RecordedExercise::ImagePractice;
    records[1].start = {2028, 2, 29, 23, 59, 60};
    records[1].displayTicks = 1;
    records[1].questions = kMostFigure;
    records[1].rightFirstTime = kMostFigure;
    records[2].exercise = RecordedExercise::Maze;
    records[2].mazeSize = kMostMazeSize;
    records[2].textName.clear();
    records[3].exercise = RecordedExercise::Puzzle;
    records[3].start = {1, 1, 1, 0, 0, 0};
    records[3].meanPuzzleMilliseconds = kMostFigure;
    records[4].exercise = RecordedExercise::ReadingTest;
    records[4].testLevel = 3;
    records[4].questions = 5;
    records[4].rightAnswers = 5;
    records[4].effectivePerMinute = 1234;
    records[4].abandoned = true;
    std::string file(historyHeader());
    for (const SessionRecord& record : records) file += historyLine(record);
    EXPECT_EQ(parseHistory(file), records);
}

TEST(HistoryLine, NameIsCleanedToOneLineOfValidUtf8) {
    SessionRecord record = readingSession();
    record.textName = "a\tb\r\nc\x01\x7F" "d\xFF\xE3\x81" "あ";
    const std::vector<SessionRecord> read = parseHistory(historyLine(record));
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].textName, "a b  c  d\uFFFD\uFFFD\uFFFDあ");
    // Reading cleans as writing does, so the read record writes the same line again.
    EXPECT_EQ(historyLine(read[0]), historyLine(record));
}

TEST(ParseHistory, SkipsEveryMalformedOrOutOfBoundsLine) {
    const std::string good = historyLine(readingSession());
    const std::string bad[] = {
        std::string(historyHeader()), "\n", "\r\n", "\t\n",
        good.substr(0, good.rfind('\t')) + "\n",  // a column short
        withField(0, "2026-02-29"), withField(0, "2026-13-01"), withField(0, "0000-01-01"),
        withField(0, "2026-1-08"), withField(1, "24:00:00"), withField(1, "09:60:00"), withField(1, "9:30:05"),
        withField(2, "Reading"), withField(3, "0.0"), withField(3, "10.1"), withField(3, "0.55"),
        withField(3, ".5"), withField(4, "12"), withField(4, "016"), withField(5, "0"), withField(5, "17"),
        withField(6, "0"), withField(6, "1001"), withField(7, "2"), withField(9, "-1"),
        withField(9, "+1"), withField(9, " 1"), withField(9, "1 "), withField(9, "1.0"), withField(9, ""),
        withField(10, "1000000000001"), withField(11, "99999999999999999999"),
        withField(14, "1"),  // right at the first try with no question asked
        withField(21, "2"), withField(22, "4"), withField(23, "-600"), withField(24, "4"),
        withField(25, "1"),  // right with no question asked
        withField(27, "2"),
        withField(2, "phrases"),  // an exercise of a later version
        "notes\n",  // words that do not name the date: a stray line, not a header
    };
    for (const std::string& line : bad) {
        const std::vector<SessionRecord> read = parseHistory(good + line + good);
        EXPECT_EQ(read.size(), 2u) << line;
    }
}

TEST(ParseHistory, AcceptsEditorsLineEndsExtraColumnsAndAMark) {
    const std::vector<SessionRecord> one = {readingSession()};
    std::string line = historyLine(readingSession());
    line.pop_back();
    EXPECT_EQ(parseHistory(line + "\r\n"), one);
    EXPECT_EQ(parseHistory(line + "\tlater\tcolumns\n"), one);
    EXPECT_EQ(parseHistory("\xEF\xBB\xBF" + std::string(historyHeader()) + line + "\n"), one);
    EXPECT_EQ(parseHistory(withField(3, "10")).at(0).displayTicks, 100);
    // A last line without its '\n' was cut short: even complete-looking, it is not read.
    EXPECT_EQ(parseHistory(line + "\n" + line), one);
    EXPECT_TRUE(parseHistory(line).empty());
}

TEST(ParseHistory, FindsColumnsByTheLastHeadersNamesAndDefaultsOnlyNamesAndFigures) {
    const SessionRecord reading = readingSession();
    SessionRecord unnamed = reading;
    unnamed.textName.clear();
    SessionRecord unmeasured = reading;
    unmeasured.measuredPerMinute = 0;
    const struct { std::string file; std::vector<SessionRecord> expected; } cases[] = {
        {underHeader("", "later_column", true), {reading}},  // columns moved and one added
        {underHeader("text"), {unnamed}},
        {underHeader("measured_cpm"), {unmeasured}},
        {underHeader("pace_cpm"), {reading}},  // written before the pace: seconds a page
        {underHeader("display_s"), {}},  // a setting is never made up
        {underHeader("exercise"), {}},
        {underHeader("", "date"), {}},  // named twice
        {underHeader("", "later_column") + historyLine(reading), {reading}},  // a line short of its header
        {underHeader("rows") + std::string(historyHeader()) + historyLine(reading), {reading}},  // the last header
    };
    for (const auto& each : cases) EXPECT_EQ(parseHistory(each.file), each.expected) << each.file;
}

}  // namespace
}  // namespace tavori
