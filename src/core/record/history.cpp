// Writing and reading the record file's lines: one table of columns, each with its name, its
// writer and its checked reader; the reader finds the columns by the names in the file's header.
#include "record/history.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <optional>

#include "common/utf8.h"

namespace tavori {

namespace {

// A session's line is at least this long: the date, time, "maze", a digit in each other column
// but the name, the tabs and the '\n'.
constexpr std::size_t kShortestLine = 60;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

constexpr std::array<std::string_view, 5> kExerciseNames = {"reading", "image", "maze", "puzzle", "reading_test"};

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

// A date or a time: three numbers, each zero-padded to its width, `separator` between them.
void appendThree(std::string& out, std::array<int, 3> values, std::size_t firstWidth, char separator) {
    appendPadded(out, values[0], firstWidth);
    for (const int value : {values[1], values[2]}) {
        out.push_back(separator);
        appendPadded(out, value, 2);
    }
}

void writeDate(std::string& out, const SessionRecord& record) {
    appendThree(out, {record.start.year, record.start.month, record.start.day}, 4, '-');
}

// YYYY-MM-DD, a day that exists.
bool readDate(std::string_view field, SessionRecord& record) {
    LocalTime& time = record.start;
    return field.size() == 10 && field[4] == '-' && field[7] == '-' &&
           parseNumber(field.substr(0, 4), 1, 9999, time.year) &&
           parseNumber(field.substr(5, 2), 1, 12, time.month) &&
           parseNumber(field.substr(8, 2), 1, daysInMonth(time.year, time.month), time.day);
}

void writeTime(std::string& out, const SessionRecord& record) {
    appendThree(out, {record.start.hour, record.start.minute, record.start.second}, 2, ':');
}

// HH:MM:SS; the clock may show a leap second as :60.
bool readTime(std::string_view field, SessionRecord& record) {
    LocalTime& time = record.start;
    return field.size() == 8 && field[2] == ':' && field[5] == ':' &&
           parseNumber(field.substr(0, 2), 0, 23, time.hour) &&
           parseNumber(field.substr(3, 2), 0, 59, time.minute) &&
           parseNumber(field.substr(6, 2), 0, 60, time.second);
}

void writeExercise(std::string& out, const SessionRecord& record) {
    out.append(kExerciseNames[static_cast<std::size_t>(record.exercise)]);
}

// An exercise this version does not know (one a later version added) fails, and its line is
// skipped.
bool readExercise(std::string_view field, SessionRecord& record) {
    for (std::size_t index = 0; index < kExerciseNames.size(); ++index) {
        if (field == kExerciseNames[index]) {
            record.exercise = static_cast<RecordedExercise>(index);
            return true;
        }
    }
    return false;
}

void writeDisplayTime(std::string& out, const SessionRecord& record) {
    appendNumber(out, record.displayTicks / 10);
    out.push_back('.');
    appendNumber(out, record.displayTicks % 10);
}

// Seconds with one decimal as written ("0.5", "10.0"), or whole seconds as a spreadsheet may
// save them ("10").
bool readDisplayTime(std::string_view field, SessionRecord& record) {
    std::int32_t tenths = 0;
    if (field.size() >= 2 && field[field.size() - 2] == '.') {
        const char digit = field.back();
        if (digit < '0' || digit > '9') return false;
        tenths = digit - '0';
        field.remove_suffix(2);
    }
    std::int32_t seconds = 0;
    if (!parseNumber(field, 0, kMostDisplayTicks / 10, seconds)) return false;
    record.displayTicks = static_cast<std::int32_t>(seconds * 10 + tenths);
    return record.displayTicks >= kLeastDisplayTicks && record.displayTicks <= kMostDisplayTicks;
}

bool readCharacters(std::string_view field, SessionRecord& record) {
    return (field == "8" || field == "16") && parseNumber(field, 8, 16, record.characters);
}

bool readVertical(std::string_view field, SessionRecord& record) {
    if (field != "0" && field != "1") return false;
    record.vertical = field == "1";
    return true;
}

template <bool SessionRecord::*Flag>
bool readFlag(std::string_view field, SessionRecord& record) {
    if (field != "0" && field != "1") return false;
    record.*Flag = field == "1";
    return true;
}
constexpr auto readPhraseRows = readFlag<&SessionRecord::phraseRows>;
constexpr auto readAbandoned = readFlag<&SessionRecord::abandoned>;

void writeText(std::string& out, const SessionRecord& record) { appendCleanText(out, record.textName); }

// Cleaned as the writer cleans it, so a read record writes back as the same line.
bool readText(std::string_view field, SessionRecord& record) {
    record.textName.clear();
    appendCleanText(record.textName, field);
    return true;
}

// Whether a header must name a column for the lines under it to be read. The date, the time
// and the exercise are what a session is; the settings are shown for each session, and a
// default would claim a setting the reader never had. The text name and the figures may be
// left out: a missing name reads as none, a missing figure as 0, which is what the writer puts
// in the columns of figures an exercise does not count.
enum class Need { Required, Optional };

struct Column {
    std::string_view name;  // lower-case letters, digits and '_': see isHeaderLine
    Need need;
    void (*write)(std::string& out, const SessionRecord& record);
    bool (*read)(std::string_view field, SessionRecord& record);
};

template <auto SessionRecord::*Setting>
void writeSetting(std::string& out, const SessionRecord& record) {
    appendNumber(out, record.*Setting);
}

template <auto SessionRecord::*Setting, std::int64_t kLeast, std::int64_t kMost>
bool readSetting(std::string_view field, SessionRecord& record) {
    return parseNumber(field, kLeast, kMost, record.*Setting);
}

template <std::int64_t SessionRecord::*Figure>
constexpr Column figure(std::string_view name) {
    return {name, Need::Optional, writeSetting<Figure>, readSetting<Figure, 0, kMostFigure>};
}

// The file's columns in the order this version writes them. A later version adds a column
// with a row here (and its field in SessionRecord), at the end: its lines are appended under
// whatever header the file already has, where a reader ignores columns past the header's. For
// its own reader to find the new column there, it writes its header again before its first
// line in a file whose last header is not its own. Files written before it read on, the new
// column taking its default if it is optional.
constexpr auto kColumns = std::to_array<Column>({
    {"date", Need::Required, writeDate, readDate},
    {"time", Need::Required, writeTime, readTime},
    {"exercise", Need::Required, writeExercise, readExercise},
    {"display_s", Need::Required, writeDisplayTime, readDisplayTime},
    {"characters", Need::Required, writeSetting<&SessionRecord::characters>, readCharacters},
    {"rows", Need::Required, writeSetting<&SessionRecord::rows>, readSetting<&SessionRecord::rows, 1, kMostRows>},
    {"maze", Need::Required, writeSetting<&SessionRecord::mazeSize>,
     readSetting<&SessionRecord::mazeSize, 1, kMostMazeSize>},
    {"vertical", Need::Required, writeSetting<&SessionRecord::vertical>, readVertical},
    {"text", Need::Optional, writeText, readText},
    figure<&SessionRecord::charactersShown>("characters_shown"),
    figure<&SessionRecord::activeMilliseconds>("active_ms"),
    figure<&SessionRecord::nominalPerMinute>("nominal_cpm"),
    figure<&SessionRecord::measuredPerMinute>("measured_cpm"),
    figure<&SessionRecord::questions>("questions"),
    figure<&SessionRecord::rightFirstTime>("first_try"),
    figure<&SessionRecord::wrongAnswers>("wrong"),
    figure<&SessionRecord::meanAnswerMilliseconds>("answer_ms"),
    figure<&SessionRecord::mazesSolved>("mazes"),
    figure<&SessionRecord::meanMazeMilliseconds>("maze_ms"),
    figure<&SessionRecord::puzzlesSolved>("puzzles"),
    figure<&SessionRecord::meanPuzzleMilliseconds>("puzzle_ms"),
    // Older files have none of these: a missing one reads as pages by bytes at seconds a page.
    {"phrase_rows", Need::Optional, writeSetting<&SessionRecord::phraseRows>, readPhraseRows},
    {"flash", Need::Optional, writeSetting<&SessionRecord::phrasesPerFlash>, readSetting<&SessionRecord::phrasesPerFlash, 0, 3>},
    {"pace_cpm", Need::Optional, writeSetting<&SessionRecord::pacePerMinute>, readSetting<&SessionRecord::pacePerMinute, 0, 100000>},
    {"level", Need::Optional, writeSetting<&SessionRecord::testLevel>, readSetting<&SessionRecord::testLevel, 0, 3>},
    figure<&SessionRecord::rightAnswers>("right"),
    figure<&SessionRecord::effectivePerMinute>("effective_cpm"),
    {"abandoned", Need::Optional, writeSetting<&SessionRecord::abandoned>, readAbandoned},
    figure<&SessionRecord::heldPerMinute>("held_cpm"),
});

// Column names are lower-case ASCII letters, digits and '_'; a header joins them with tabs. A
// session's line is never made of these alone: its date holds '-' and its time ':'.
bool isHeaderCharacter(char character) {
    return (character >= 'a' && character <= 'z') || (character >= '0' && character <= '9') || character == '_' ||
           character == '\t';
}

// What the reader knows about a header: which of the file's columns holds each column of the
// table, and how many columns every line under it must have.
class Layout {
public:
    static constexpr std::uint8_t kUnknown = std::numeric_limits<std::uint8_t>::max();

    // Before any header: this version's own order, so lines without a header read as written.
    Layout() : columnOf_(kColumns.size()), readable_(true) {
        for (std::size_t index = 0; index < kColumns.size(); ++index) columnOf_[index] = static_cast<std::uint8_t>(index);
    }

    // The layout a header line gives, or nothing for a line that is not one: a header holds
    // column names only (see isHeaderCharacter) and names the date (kColumns[0]), as every header this
    // program writes does; a line of other words is a stray line. Unknown names are passed over; a
    // header naming a column twice, or leaving out a required one, reads no line until the next
    // header.
    static std::optional<Layout> fromHeader(std::string_view line) {
        if (line.empty() || !std::all_of(line.begin(), line.end(), isHeaderCharacter)) return std::nullopt;
        Layout layout(Empty{});
        std::array<bool, kColumns.size()> named{};
        bool twice = false;
        for (std::size_t start = 0; start <= line.size();) {
            const std::size_t tab = std::min(line.find('\t', start), line.size());
            const std::string_view name = line.substr(start, tab - start);
            start = tab + 1;
            const auto known = std::find_if(kColumns.begin(), kColumns.end(),
                                            [name](const Column& column) { return column.name == name; });
            const auto index = static_cast<std::size_t>(known - kColumns.begin());
            if (known == kColumns.end()) {
                layout.columnOf_.push_back(kUnknown);
                continue;
            }
            twice = twice || named[index];
            named[index] = true;
            layout.columnOf_.push_back(static_cast<std::uint8_t>(index));
        }
        if (!named[0]) return std::nullopt;
        layout.readable_ = !twice && std::all_of(kColumns.begin(), kColumns.end(), [&named](const Column& column) {
            return column.need == Need::Optional || named[static_cast<std::size_t>(&column - kColumns.data())];
        });
        return layout;
    }

    // One line without its '\n'. Columns past the header's are ignored; a line with fewer is
    // skipped.
    bool parse(std::string_view line, SessionRecord& record) const {
        if (!readable_) return false;
        std::array<std::string_view, kColumns.size()> fields;
        std::array<bool, kColumns.size()> present{};
        std::size_t start = 0;
        for (const std::uint8_t index : columnOf_) {
            if (start > line.size()) return false;
            const std::size_t tab = line.find('\t', start);
            const std::size_t end = tab == std::string_view::npos ? line.size() : tab;
            if (index != kUnknown) {
                fields[index] = line.substr(start, end - start);
                present[index] = true;
            }
            start = end + 1;
        }
        for (std::size_t index = 0; index < kColumns.size(); ++index) {
            if (present[index] && !kColumns[index].read(fields[index], record)) return false;
        }
        return record.rightFirstTime <= record.questions && record.rightAnswers <= record.questions;
    }

private:
    struct Empty {};
    explicit Layout(Empty) {}

    std::vector<std::uint8_t> columnOf_;  // for each of the header's columns, its row in kColumns
    bool readable_ = false;
};

static_assert(kColumns.size() < Layout::kUnknown);

std::string joinedNames() {
    std::string header;
    for (const Column& column : kColumns) {
        header.append(column.name);
        header.push_back(&column == &kColumns.back() ? '\n' : '\t');
    }
    return header;
}

}  // namespace

std::string_view historyHeader() {
    static const std::string header = joinedNames();
    return header;
}

std::string historyLine(const SessionRecord& record) {
    std::string line;
    line.reserve(160 + record.textName.size());
    for (const Column& column : kColumns) {
        column.write(line, record);
        line.push_back(&column == &kColumns.back() ? '\n' : '\t');
    }
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
    Layout layout;
    // Only lines ended by '\n' count: whatever follows the last one is a write cut short.
    for (std::size_t start = 0;;) {
        const std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) break;
        std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (std::optional<Layout> header = Layout::fromHeader(line)) {
            layout = std::move(*header);
            continue;
        }
        SessionRecord record;
        if (layout.parse(line, record)) records.push_back(std::move(record));
    }
    return records;
}

}  // namespace tavori
