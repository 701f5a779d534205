// The record as one page for a browser: each exercise's days as charts, then the latest sessions.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "record/session_record.h"

namespace tavori {

// A chart shows at most this many days (the latest that have its exercise's sessions), so a
// history of years stays legible; the table shows the latest sessions.
inline constexpr std::size_t kChartDays = 90;
inline constexpr std::size_t kTableSessions = 50;

// A self-contained UTF-8 HTML page (inline CSS and SVG; no script, no fonts or anything else
// fetched) in Japanese. Every text from the sessions is escaped; the same sessions and `now`
// always give the same bytes. `now` is the moment the page says it was made.
std::string reportHtml(const std::vector<SessionRecord>& sessions, LocalTime now);

}  // namespace tavori
