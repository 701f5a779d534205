// The record file: one tab-separated UTF-8 line per session, only ever appended to, and its
// reader, which takes the file as outside input.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "record/session_record.h"

namespace tavori {

// The stored file's plain name (see Platform::appendToStoredFile).
inline constexpr std::string_view kHistoryFileName = "history.tsv";
// Some 300,000 sessions, fifty a day for sixteen years: a record that long is read and charted
// in a fraction of a second, and a larger file (a hostile one of a million short lines) is not
// read at all rather than keep the reader waiting.
inline constexpr std::int64_t kHistoryFileLimit = std::int64_t{32} << 20;

// The bounds a read line is held to; a line with any figure outside them is skipped, not
// clamped, since this program never wrote it. Display time runs along the menu's values
// (0.1 s … 10 s), rows along its 1 … 16; a maze side of 1000 cells is far past any the menu
// offers; 10^12 is 30 years of milliseconds, and a day's sums of millions of such figures
// stay far inside a double's range, so the report's means never overflow.
inline constexpr std::int32_t kLeastDisplayTicks = 1;
inline constexpr std::int32_t kMostDisplayTicks = 100;
inline constexpr std::int32_t kMostRows = 16;
inline constexpr std::int32_t kMostMazeSize = 1000;
inline constexpr std::int64_t kMostFigure = 1'000'000'000'000;

// The header line, '\n' included: the column names in their order.
std::string_view historyHeader();

// One session as a line of the file, '\n' included. The text name has every C0 control
// character (tab, CR and LF among them) and DEL replaced by a space and every byte that is not
// well-formed UTF-8 by U+FFFD, so the line stays one line of the right columns.
std::string historyLine(const SessionRecord& record);

// The sessions of a record file, in the file's order. Columns are found by the names in the
// last header line above a line (a line of column names that names the date); before any
// header, in the order historyHeader gives. So a later version may add columns and exercises:
// unknown columns are ignored, lines of unknown exercises skipped, and a column the header
// leaves out reads as its default when it is a text name or a figure (none, 0); a header that
// leaves out the date, time, exercise or a setting, or names a column twice, reads no line
// until the next header. Skipped as well: blank lines, lines with fewer columns than their
// header, lines with a malformed or out-of-bounds field (or more right-first-time answers than
// questions), and a last line without its '\n' (a write cut short). Columns past the header's
// are ignored; a CR before the '\n' (an editor's line end) is accepted, as is a UTF-8
// byte-order mark at the start. The text name is cleaned as historyLine cleans it, so a read
// record writes back as the same line.
std::vector<SessionRecord> parseHistory(std::string_view bytes);

}  // namespace tavori
