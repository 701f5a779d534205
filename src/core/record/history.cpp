// Writing and reading the record file's lines: one pass over the bytes, fields cut at tabs and
// checked one by one, no line trusted beyond its bounds.
#include "record/history.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "common/utf8.h"

namespace tavori {

namespace {

constexpr std::string_view kHeader =
    "date\ttime\texercise\tdisplay_s\tcharacters\trows\tmaze\tvertical\ttext\tcharacters_shown\t"
    "active_ms\tnominal_cpm\tmeasured_cpm\tquestions\tfirst_try\twrong\tanswer_ms\tmazes\tmaze_ms\t"
    "puzzles\tpuzzle_ms\n";
constexpr std::size_t kColumnCount = 21;
// A session's line is at least this long: the date, time, "maze", a digit in each other column
// but the name, the tabs and the '\n'.
constexpr std::size_t kShortestLine = 60;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

constexpr std::array<std::string_view, 4> kExerciseNames = {"reading", "image", "maze", "puzzle"};

void appendNumber(std::string& out, std::int64_t value) {
    std::array<char, 24> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    out.append(digits.data(), result.ptr);
}

void appendPadded(std::string& out, int value, std::size_t width) {
    std::array<char, 16> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    const auto length = static_cast<std::size_t>(result.ptr - digits.data());
    if (length < width) out.append(width - length, '0');
    out.append(digits.data(), length);
}

// Control characters become spaces and malformed bytes U+FFFD, one for each byte.
void appendCleanText(std::string& out, std::string_view text) {
    for (std::size_t index = 0; index < text.size();) {
        const auto byte = static_cast<unsigned char>(text[index]);
        if (byte < 0x20 || byte == 0x7F) {
            out.push_back(' ');
            ++index;
        } else if (const std::size_t length = utf8SequenceLength(text, index); length == 0) {
            out.append(kReplacementCharacter);
            ++index;
        } else {
            out.append(text.substr(index, length));
            index += length;
        }
    }
}

// Plain decimal digits only (no sign, space or fraction), within bounds.
template <typename Integer>
bool parseNumber(std::string_view field, std::int64_t least, std::int64_t most, Integer& value) {
    std::int64_t wide = 0;
    if (field.empty() || field.front() < '0' || field.front() > '9') return false;
    const auto result = std::from_chars(field.data(), field.data() + field.size(), wide);
    if (result.ec != std::errc{} || result.ptr != field.data() + field.size() || wide < least || wide > most) {
        return false;
    }
    value = static_cast<Integer>(wide);
    return true;
}

constexpr bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

// YYYY-MM-DD, a day that exists.
bool parseDate(std::string_view field, LocalTime& time) {
    return field.size() == 10 && field[4] == '-' && field[7] == '-' &&
           parseNumber(field.substr(0, 4), 1, 9999, time.year) &&
           parseNumber(field.substr(5, 2), 1, 12, time.month) &&
           parseNumber(field.substr(8, 2), 1, daysInMonth(time.year, time.month), time.day);
}

// HH:MM:SS; the clock may show a leap second as :60.
bool parseTime(std::string_view field, LocalTime& time) {
    return field.size() == 8 && field[2] == ':' && field[5] == ':' &&
           parseNumber(field.substr(0, 2), 0, 23, time.hour) &&
           parseNumber(field.substr(3, 2), 0, 59, time.minute) &&
           parseNumber(field.substr(6, 2), 0, 60, time.second);
}

bool parseExercise(std::string_view field, RecordedExercise& exercise) {
    for (std::size_t index = 0; index < kExerciseNames.size(); ++index) {
        if (field == kExerciseNames[index]) {
            exercise = static_cast<RecordedExercise>(index);
            return true;
        }
    }
    return false;
}

// Seconds with one decimal as written ("0.5", "10.0"), or whole seconds as a spreadsheet may
// save them ("10").
bool parseDisplayTicks(std::string_view field, std::int32_t& ticks) {
    std::int32_t tenths = 0;
    if (field.size() >= 2 && field[field.size() - 2] == '.') {
        const char digit = field.back();
        if (digit < '0' || digit > '9') return false;
        tenths = digit - '0';
        field.remove_suffix(2);
    }
    std::int32_t seconds = 0;
    if (!parseNumber(field, 0, kMostDisplayTicks / 10, seconds)) return false;
    ticks = static_cast<std::int32_t>(seconds * 10 + tenths);
    return ticks >= kLeastDisplayTicks && ticks <= kMostDisplayTicks;
}

bool parseFlag(std::string_view field, bool& flag) {
    if (field != "0" && field != "1") return false;
    flag = field == "1";
    return true;
}

bool parseFigure(std::string_view field, std::int64_t& figure) { return parseNumber(field, 0, kMostFigure, figure); }

// One line without its '\n'. A header line fails on its date like any other stray line.
bool parseLine(std::string_view line, SessionRecord& record) {
    std::array<std::string_view, kColumnCount> fields;
    std::size_t start = 0;
    for (std::size_t column = 0; column < kColumnCount; ++column) {
        if (start > line.size()) return false;
        const std::size_t tab = line.find('\t', start);
        const std::size_t end = tab == std::string_view::npos ? line.size() : tab;
        fields[column] = line.substr(start, end - start);
        start = end + 1;
    }
    const bool valid =
        parseDate(fields[0], record.start) && parseTime(fields[1], record.start) &&
        parseExercise(fields[2], record.exercise) && parseDisplayTicks(fields[3], record.displayTicks) &&
        (fields[4] == "8" || fields[4] == "16") && parseNumber(fields[4], 8, 16, record.characters) &&
        parseNumber(fields[5], 1, kMostRows, record.rows) && parseNumber(fields[6], 1, kMostMazeSize, record.mazeSize) &&
        parseFlag(fields[7], record.vertical) && parseFigure(fields[9], record.charactersShown) &&
        parseFigure(fields[10], record.activeMilliseconds) && parseFigure(fields[11], record.nominalPerMinute) &&
        parseFigure(fields[12], record.measuredPerMinute) && parseFigure(fields[13], record.questions) &&
        parseFigure(fields[14], record.rightFirstTime) && parseFigure(fields[15], record.wrongAnswers) &&
        parseFigure(fields[16], record.meanAnswerMilliseconds) && parseFigure(fields[17], record.mazesSolved) &&
        parseFigure(fields[18], record.meanMazeMilliseconds) && parseFigure(fields[19], record.puzzlesSolved) &&
        parseFigure(fields[20], record.meanPuzzleMilliseconds) && record.rightFirstTime <= record.questions;
    if (valid) appendCleanText(record.textName, fields[8]);
    return valid;
}

}  // namespace

std::string_view historyHeader() { return kHeader; }

std::string historyLine(const SessionRecord& record) {
    std::string line;
    line.reserve(160 + record.textName.size());
    const LocalTime& start = record.start;
    appendPadded(line, start.year, 4);
    line.push_back('-');
    appendPadded(line, start.month, 2);
    line.push_back('-');
    appendPadded(line, start.day, 2);
    line.push_back('\t');
    appendPadded(line, start.hour, 2);
    line.push_back(':');
    appendPadded(line, start.minute, 2);
    line.push_back(':');
    appendPadded(line, start.second, 2);
    line.push_back('\t');
    line.append(kExerciseNames[static_cast<std::size_t>(record.exercise)]);
    line.push_back('\t');
    appendNumber(line, record.displayTicks / 10);
    line.push_back('.');
    appendNumber(line, record.displayTicks % 10);
    for (const std::int64_t setting : {std::int64_t{record.characters}, std::int64_t{record.rows},
                                       std::int64_t{record.mazeSize}, std::int64_t{record.vertical}}) {
        line.push_back('\t');
        appendNumber(line, setting);
    }
    line.push_back('\t');
    appendCleanText(line, record.textName);
    for (const std::int64_t figure :
         {record.charactersShown, record.activeMilliseconds, record.nominalPerMinute, record.measuredPerMinute,
          record.questions, record.rightFirstTime, record.wrongAnswers, record.meanAnswerMilliseconds,
          record.mazesSolved, record.meanMazeMilliseconds, record.puzzlesSolved, record.meanPuzzleMilliseconds}) {
        line.push_back('\t');
        appendNumber(line, figure);
    }
    line.push_back('\n');
    return line;
}

std::vector<SessionRecord> parseHistory(std::string_view bytes) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    std::vector<SessionRecord> records;
    // A slot for each line that can be a session, so a million records are not moved again and
    // again as the vector grows; a file of blank lines reserves no more than one of sessions.
    const auto lineEnds = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    records.reserve(std::min(lineEnds, bytes.size() / kShortestLine));
    // Only lines ended by '\n' count: whatever follows the last one is a write cut short.
    for (std::size_t start = 0;;) {
        const std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) break;
        std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        SessionRecord record;
        if (parseLine(line, record)) records.push_back(std::move(record));
    }
    return records;
}

}  // namespace tavori
