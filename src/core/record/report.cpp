// The report page: a summary line, each charted exercise's sessions summed per day into line
// charts of inline SVG (the puzzle is in the table only), and the latest sessions as a table. Numbers are written with std::to_chars, so no locale reaches them.
#include "record/report.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string_view>
#include <utility>

namespace tavori {

namespace {

constexpr std::string_view kTitle = "タボリで速読補助 — 練習の記録";

// Japanese system fonts of macOS, Windows and Linux, in that order, before the generic family.
constexpr std::string_view kStyle = R"(
body{margin:0 auto;max-width:60rem;padding:1rem;line-height:1.6;color:#222;background:#fff;
font-family:"Hiragino Kaku Gothic ProN","Hiragino Sans","Yu Gothic UI","Yu Gothic",YuGothic,Meiryo,
"Noto Sans CJK JP","Noto Sans JP","IPAexGothic","IPAGothic",sans-serif}
h1{font-size:1.5rem;margin:.5rem 0}
h2{font-size:1.2rem;margin:2rem 0 .5rem;border-bottom:1px solid #ccc}
h3{font-size:1rem;margin:1.2rem 0 .2rem}
.made,.period,.summary{color:#555;font-size:.9rem;margin:.2rem 0}
.chart{display:block;width:100%;height:auto}
.chart text{font-size:13px;fill:#444}
.chart .grid{stroke:#e2e2e2}
.chart .axis{stroke:#888}
.chart line,.chart polyline{vector-effect:non-scaling-stroke}
.chart polyline{fill:none;stroke:currentColor;stroke-width:2}
.chart circle{fill:currentColor}
.chart .dash polyline{stroke-dasharray:7 5}
.chart .dash circle{fill:#fff;stroke:currentColor;stroke-width:2}
.c1{color:#1f6fb2}.c2{color:#c0561b}.c3{color:#2a8a4a}.c4{color:#7a4fb0}
.legend{list-style:none;padding:0;margin:.2rem 0;display:flex;flex-wrap:wrap;gap:.2rem 1.2rem;font-size:.9rem}
.key{display:inline-block;width:2.2em;margin-right:.4em;vertical-align:middle;border-top:3px solid currentColor}
.key.dash{border-top-style:dashed}
.scroll{overflow-x:auto;-webkit-overflow-scrolling:touch}
table{border-collapse:collapse;font-size:.9rem;white-space:nowrap}
th,td{padding:.3rem .6rem;border-bottom:1px solid #e2e2e2;text-align:left;vertical-align:top}
th{background:#f4f4f4}
td.name{white-space:normal;min-width:8em;max-width:20em;overflow-wrap:anywhere}
@media (max-width:40rem){body{padding:.6rem}.chart text{font-size:22px}.chart .alt{display:none}}
)";

// The chart's drawing area inside its 720 × 300 view box: the margins hold the value labels,
// the unit above them and the days below, at a phone's larger type too.
constexpr double kViewWidth = 720;
constexpr double kViewHeight = 300;
constexpr double kPlotLeft = 96;
constexpr double kPlotRight = 688;
constexpr double kPlotTop = 44;
constexpr double kPlotBottom = 256;
// Day labels along the axis, at most; a phone shows every other one.
constexpr std::size_t kDayLabels = 8;
// Beyond this a figure is written in exponent form rather than as a row of digits.
constexpr double kLargestPlainFigure = 1e15;

struct Day {
    std::int64_t year = 0;
    std::int64_t month = 0;
    std::int64_t day = 0;
    auto operator<=>(const Day&) const = default;
};

Day dayOf(const LocalTime& time) { return {time.year, time.month, time.day}; }

void appendEscaped(std::string& out, std::string_view text) {
    for (const char character : text) {
        switch (character) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out.push_back(character);
        }
    }
}

void appendInteger(std::string& out, std::int64_t value, int width = 0) {
    std::array<char, 24> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    const auto length = static_cast<int>(end - digits.data());
    if (length < width) out.append(static_cast<std::size_t>(width - length), '0');
    out.append(digits.data(), end);
}

// Fixed decimals, -0 written as 0; the caller passes finite values only.
void appendFixed(std::string& out, double value, int decimals) {
    if (value == 0) value = 0;
    std::array<char, 64> digits{};
#if defined(__cpp_lib_to_chars)
    const auto format = std::abs(value) < kLargestPlainFigure ? std::chars_format::fixed : std::chars_format::scientific;
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value, format, decimals).ptr;
    out.append(digits.data(), end);
#else
    // A C++ library with no floating-point to_chars (the browser build's): printf writes the
    // same digits, and that build's C library knows only the "C" locale, so no comma appears.
    const int length = std::snprintf(digits.data(), digits.size(), std::abs(value) < kLargestPlainFigure ? "%.*f" : "%.*e",
                                     decimals, value);
    out.append(digits.data(), static_cast<std::size_t>(std::clamp(length, 0, static_cast<int>(digits.size()) - 1)));
#endif
}

// As appendFixed, with the whole part's digits grouped by three ("153,600.5").
void appendGrouped(std::string& out, double value, int decimals) {
    std::string plain;
    appendFixed(plain, value, decimals);
    if (plain.find('e') != std::string::npos) {
        out += plain;
        return;
    }
    const std::size_t wholeStart = plain.front() == '-' ? 1 : 0;
    const std::size_t wholeEnd = std::min(plain.find('.'), plain.size());
    out.append(plain, 0, wholeStart);
    for (std::size_t index = wholeStart; index < wholeEnd; ++index) {
        if (index > wholeStart && (wholeEnd - index) % 3 == 0) out.push_back(',');
        out.push_back(plain[index]);
    }
    out.append(plain, wholeEnd);
}

void appendDate(std::string& out, const Day& day) {
    appendInteger(out, day.year, 4);
    out.push_back('-');
    appendInteger(out, day.month, 2);
    out.push_back('-');
    appendInteger(out, day.day, 2);
}

void appendMonthDay(std::string& out, const Day& day) {
    appendInteger(out, day.month);
    out.push_back('/');
    appendInteger(out, day.day);
}

void appendClock(std::string& out, const LocalTime& time) {
    appendInteger(out, time.hour, 2);
    out.push_back(':');
    appendInteger(out, time.minute, 2);
}

// ---- Charts ----

struct Point {
    Day day;
    double value = 0;
};

struct Series {
    std::string_view id;     // data-series, for whoever reads the points back
    std::string_view label;  // in the legend and each point's tooltip
    std::string_view style;  // colour class, and "dash" for a nominal figure
    std::vector<Point> points;
};

struct Axis {
    std::string_view unit;  // above the values, and after each in a tooltip
    int decimals = 1;       // of the values in data-value and the tooltips
    double leastTop = 1;    // the value axis reaches at least this far, so tiny values do not fill it
    bool percent = false;   // fixed at 0 … 100
};

// Round steps (1, 2 or 5 times a power of ten) that divide 0 … top into at most five.
double valueStep(double top) {
    const double rough = top / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    const double fraction = rough / magnitude;
    const double multiple = fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10;
    return multiple * magnitude;
}

int stepDecimals(double step) { return std::clamp(static_cast<int>(-std::floor(std::log10(step))), 0, 3); }

void appendCoordinate(std::string& out, double value) { appendFixed(out, value, 1); }

void appendSvgLine(std::string& out, std::string_view kind, double x1, double y1, double x2, double y2) {
    out += "<line class=\"";
    out += kind;
    for (const auto& [name, value] : {std::pair{" x1=\"", x1}, {" y1=\"", y1}, {" x2=\"", x2}, {" y2=\"", y2}}) {
        out += "\"";
        out += name;
        appendCoordinate(out, value);
    }
    out += "\"/>\n";
}

// The opening of a <text> element; `extra` holds further attributes.
void appendSvgTextStart(std::string& out, double x, double y, std::string_view extra) {
    out += "<text x=\"";
    appendCoordinate(out, x);
    out += "\" y=\"";
    appendCoordinate(out, y);
    out += "\"";
    out += extra;
    out.push_back('>');
}

void appendLegend(std::string& out, const std::vector<Series>& series) {
    out += "<ul class=\"legend\">";
    for (const Series& line : series) {
        out += "<li><span class=\"key ";
        out += line.style;
        out += "\"></span>";
        out += line.label;
        out += "</li>";
    }
    out += "</ul>\n";
}

// A line chart of the series over the latest kChartDays days any of them has a point on, one
// equal step per day; a caption gives the period shown.
void appendChart(std::string& out, std::string_view title, std::vector<Series> series, const Axis& axis) {
    std::vector<Day> days;
    for (const Series& line : series) {
        for (const Point& point : line.points) days.push_back(point.day);
    }
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    if (days.empty()) return;
    const std::size_t totalDays = days.size();
    if (days.size() > kChartDays) days.erase(days.begin(), days.end() - kChartDays);
    double top = axis.leastTop;
    for (Series& line : series) {
        std::erase_if(line.points, [&](const Point& point) { return point.day < days.front(); });
        for (const Point& point : line.points) top = std::max(top, point.value);
    }
    const double step = axis.percent ? 20 : valueStep(top);
    top = axis.percent ? 100 : std::ceil(top / step) * step;
    const auto xOf = [&](const Day& day) {
        const auto index = static_cast<double>(std::lower_bound(days.begin(), days.end(), day) - days.begin());
        return kPlotLeft + (kPlotRight - kPlotLeft) * (index + 0.5) / static_cast<double>(days.size());
    };
    const auto yOf = [&](double value) { return kPlotBottom - (kPlotBottom - kPlotTop) * value / top; };

    out += "<h3>";
    out += title;
    out += "</h3>\n";
    appendLegend(out, series);
    out += "<svg class=\"chart\" viewBox=\"0 0 ";
    appendCoordinate(out, kViewWidth);
    out.push_back(' ');
    appendCoordinate(out, kViewHeight);
    out += "\" role=\"img\" aria-label=\"";
    out += title;
    out += "\">\n";
    appendSvgTextStart(out, 8, 24, "");
    out += axis.unit;
    out += "</text>\n";
    appendSvgLine(out, "axis", kPlotLeft, kPlotTop, kPlotLeft, kPlotBottom);
    const int labelDecimals = axis.percent ? 0 : stepDecimals(step);
    for (int mark = 0; mark <= 10 && mark * step <= top * (1 + 1e-9); ++mark) {
        const double y = yOf(mark * step);
        appendSvgLine(out, mark == 0 ? "axis" : "grid", kPlotLeft, y, kPlotRight, y);
        appendSvgTextStart(out, kPlotLeft - 8, y + 5, " text-anchor=\"end\"");
        appendGrouped(out, mark * step, labelDecimals);
        out += "</text>\n";
    }
    // Labelled days counted back from the latest, so the last day always has its label.
    const std::size_t labelEvery = (days.size() + kDayLabels - 1) / kDayLabels;
    for (std::size_t index = 0; index < days.size(); ++index) {
        const std::size_t fromLast = days.size() - 1 - index;
        if (fromLast % labelEvery != 0) continue;
        const bool alternate = (fromLast / labelEvery) % 2 == 1;
        appendSvgTextStart(out, xOf(days[index]), kPlotBottom + 26,
                           alternate ? " text-anchor=\"middle\" class=\"alt\"" : " text-anchor=\"middle\"");
        appendMonthDay(out, days[index]);
        out += "</text>\n";
    }
    for (const Series& line : series) {
        out += "<g class=\"";
        out += line.style;
        out += "\">\n<polyline points=\"";
        for (std::size_t index = 0; index < line.points.size(); ++index) {
            if (index > 0) out.push_back(' ');
            appendCoordinate(out, xOf(line.points[index].day));
            out.push_back(',');
            appendCoordinate(out, yOf(line.points[index].value));
        }
        out += "\"/>\n";
        for (const Point& point : line.points) {
            out += "<circle cx=\"";
            appendCoordinate(out, xOf(point.day));
            out += "\" cy=\"";
            appendCoordinate(out, yOf(point.value));
            out += "\" r=\"4\" data-series=\"";
            out += line.id;
            out += "\" data-day=\"";
            appendDate(out, point.day);
            out += "\" data-value=\"";
            appendFixed(out, point.value, axis.decimals);
            out += "\"><title>";
            appendMonthDay(out, point.day);
            out.push_back(' ');
            out += line.label;
            out += ": ";
            appendGrouped(out, point.value, axis.decimals);
            out.push_back(' ');
            out += axis.unit;
            out += "</title></circle>\n";
        }
        out += "</g>\n";
    }
    out += "</svg>\n<p class=\"period\">";
    appendDate(out, days.front());
    out += " ～ ";
    appendDate(out, days.back());
    out += "・練習した日 ";
    appendInteger(out, static_cast<std::int64_t>(days.size()));
    out += " 日";
    if (totalDays > days.size()) out += "（それより前の日は省略）";
    out += "</p>\n";
}

void appendNoData(std::string& out, std::string_view exercise) {
    out += "<p class=\"none\">";
    out += exercise;
    out += "の記録はまだありません。</p>\n";
}

// Only a positive sum divides; a value that still came out beyond a double's range (from
// figures no read line holds) is left out rather than drawn.
void addPoint(std::vector<Point>& points, const Day& day, double numerator, double denominator) {
    if (denominator <= 0) return;
    const double value = numerator / denominator;
    if (std::isfinite(value) && value >= 0) points.push_back({day, value});
}

double asDouble(std::int64_t figure) { return static_cast<double>(figure); }

// Measured speed is characters over unpaused minutes; nominal speed is weighted by the
// characters shown at it, as a session reading more carries more of the day.
void appendReadingSection(std::string& out, const std::vector<SessionRecord>& sessions) {
    struct Sums {
        double characters = 0;
        double milliseconds = 0;
        double nominalTimesCharacters = 0;
    };
    std::array<std::map<Day, Sums>, 2> days;  // horizontal, vertical
    for (const SessionRecord& session : sessions) {
        if (session.exercise != RecordedExercise::Reading) continue;
        Sums& sums = days[session.vertical ? 1 : 0][dayOf(session.start)];
        sums.characters += asDouble(session.charactersShown);
        sums.milliseconds += asDouble(session.activeMilliseconds);
        sums.nominalTimesCharacters += asDouble(session.nominalPerMinute) * asDouble(session.charactersShown);
    }
    std::vector<Series> series = {{"measured-horizontal", "横書き 実測", "c1", {}},
                                  {"nominal-horizontal", "横書き 設定", "c1 dash", {}},
                                  {"measured-vertical", "縦書き 実測", "c2", {}},
                                  {"nominal-vertical", "縦書き 設定", "c2 dash", {}}};
    for (std::size_t writing = 0; writing < days.size(); ++writing) {
        for (const auto& [day, sums] : days[writing]) {
            if (!(sums.milliseconds > 0)) continue;
            addPoint(series[2 * writing].points, day, sums.characters * 60000, sums.milliseconds);
            addPoint(series[2 * writing + 1].points, day, sums.nominalTimesCharacters, sums.characters);
        }
    }
    // The vertical lines only for a history that has vertical sessions.
    if (series[2].points.empty() && series[3].points.empty()) series.resize(2);
    out += "<section>\n<h2>速読み練習</h2>\n";
    if (series[0].points.empty() && series[1].points.empty()) {
        appendNoData(out, "速読み練習");
    } else {
        appendChart(out, "日ごとの速さ（文字/分）", std::move(series), {"文字/分", 1, 10, false});
    }
    out += "</section>\n";
}

// The reader's own speed and the effective speed (speed × share right) of the day's finished
// tests, each over the day's reading time, beside the paced reading above: whether paced
// practice carries over to reading at one's own pace. Beside them the highest pace held in the
// day's checked practice (eight right of ten), the pace at which the reader still understood.
// Shown once a test or checked practice has been recorded.
void appendReadingTestSection(std::string& out, const std::vector<SessionRecord>& sessions) {
    struct Sums {
        double characters = 0;
        double milliseconds = 0;
        double effectiveTimesMilliseconds = 0;
    };
    std::map<Day, Sums> days;
    std::map<Day, std::int64_t> held;
    for (const SessionRecord& session : sessions) {
        if (session.exercise == RecordedExercise::Reading && session.heldPerMinute > 0) {
            std::int64_t& highest = held[dayOf(session.start)];
            highest = std::max(highest, session.heldPerMinute);
        }
        if (session.exercise != RecordedExercise::ReadingTest || session.abandoned) continue;
        Sums& sums = days[dayOf(session.start)];
        sums.characters += asDouble(session.charactersShown);
        sums.milliseconds += asDouble(session.activeMilliseconds);
        sums.effectiveTimesMilliseconds += asDouble(session.effectivePerMinute) * asDouble(session.activeMilliseconds);
    }
    if (days.empty() && held.empty()) return;
    std::vector<Series> series = {{"test-speed", "自分の速さ", "c1", {}}, {"test-effective", "実効（× 正解の割合）", "c3", {}}};
    for (const auto& [day, sums] : days) {
        addPoint(series[0].points, day, sums.characters * 60000, sums.milliseconds);
        addPoint(series[1].points, day, sums.effectiveTimesMilliseconds, sums.milliseconds);
    }
    if (!held.empty()) {
        series.push_back({"checked-held", "確認しながら読む：保てた速さ", "c2 dash", {}});
        for (const auto& [day, pace] : held) addPoint(series.back().points, day, asDouble(pace), 1);
    }
    out += held.empty() ? "<section>\n<h2>読書テスト</h2>\n" : "<section>\n<h2>読書テストと確認しながら読む</h2>\n";
    appendChart(out, "日ごとの読む速さ（文字/分）", std::move(series), {"文字/分", 1, 10, false});
    out += "</section>\n";
}

// Share right at the first try and the mean answer time, both over the day's questions.
void appendImagePracticeSection(std::string& out, const std::vector<SessionRecord>& sessions) {
    struct Sums {
        double questions = 0;
        double rightFirstTime = 0;
        double answerTimesQuestions = 0;
    };
    std::map<Day, Sums> days;
    for (const SessionRecord& session : sessions) {
        if (session.exercise != RecordedExercise::ImagePractice) continue;
        Sums& sums = days[dayOf(session.start)];
        sums.questions += asDouble(session.questions);
        sums.rightFirstTime += asDouble(session.rightFirstTime);
        sums.answerTimesQuestions += asDouble(session.meanAnswerMilliseconds) * asDouble(session.questions);
    }
    std::vector<Series> share = {{"first-try", "一回目で正解", "c3", {}}};
    std::vector<Series> answerTime = {{"answer-time", "平均回答時間", "c4", {}}};
    for (const auto& [day, sums] : days) {
        // A day's share is a share: more right answers than questions (figures no read line
        // holds) gives no point.
        if (sums.rightFirstTime <= sums.questions) {
            addPoint(share[0].points, day, sums.rightFirstTime * 100, sums.questions);
        }
        addPoint(answerTime[0].points, day, sums.answerTimesQuestions / 1000, sums.questions);
    }
    out += "<section>\n<h2>イメージ練習</h2>\n";
    if (share[0].points.empty() && answerTime[0].points.empty()) {
        appendNoData(out, "イメージ練習");
    } else {
        if (!share[0].points.empty()) {
            appendChart(out, "一回目で正解した割合（%）", std::move(share), {"%", 1, 100, true});
        }
        if (!answerTime[0].points.empty()) {
            appendChart(out, "正解までの平均時間（秒）", std::move(answerTime), {"秒", 2, 1, false});
        }
    }
    out += "</section>\n";
}

void appendMazeSection(std::string& out, const std::vector<SessionRecord>& sessions) {
    struct Sums {
        double mazes = 0;
        double timeTimesMazes = 0;
    };
    std::map<Day, Sums> days;
    for (const SessionRecord& session : sessions) {
        if (session.exercise != RecordedExercise::Maze) continue;
        Sums& sums = days[dayOf(session.start)];
        sums.mazes += asDouble(session.mazesSolved);
        sums.timeTimesMazes += asDouble(session.meanMazeMilliseconds) * asDouble(session.mazesSolved);
    }
    std::vector<Series> mazeTime = {{"maze-time", "一つ解く平均時間", "c1", {}}};
    for (const auto& [day, sums] : days) addPoint(mazeTime[0].points, day, sums.timeTimesMazes / 1000, sums.mazes);
    out += "<section>\n<h2>迷路</h2>\n";
    if (mazeTime[0].points.empty()) {
        appendNoData(out, "迷路");
    } else {
        appendChart(out, "日ごとの平均時間（秒）", std::move(mazeTime), {"秒", 2, 1, false});
    }
    out += "</section>\n";
}

// ---- The table ----

std::string_view exerciseLabel(RecordedExercise exercise) {
    switch (exercise) {
        case RecordedExercise::Reading: return "速読み練習";
        case RecordedExercise::ImagePractice: return "イメージ練習";
        case RecordedExercise::Maze: return "迷路";
        case RecordedExercise::Puzzle: return "パズル";
        case RecordedExercise::ReadingTest: return "読書テスト";
    }
    return "—";
}

void appendSeconds(std::string& out, std::int64_t milliseconds, int decimals = 1) {
    appendGrouped(out, asDouble(milliseconds) / 1000, decimals);
    out += "秒";
}

// Unpaused time as minutes and seconds once past a minute.
void appendDuration(std::string& out, std::int64_t milliseconds) {
    const std::int64_t seconds = milliseconds / 1000;
    if (seconds < 60) {
        appendSeconds(out, milliseconds);
        return;
    }
    appendGrouped(out, asDouble(seconds / 60), 0);
    out += "分";
    appendInteger(out, seconds % 60, 2);
    out += "秒";
}

void appendCount(std::string& out, std::int64_t count) { appendGrouped(out, asDouble(count), 0); }

void appendSettings(std::string& out, const SessionRecord& session) {
    const auto displayTime = [&] {
        out += "表示 ";
        appendFixed(out, session.displayTicks / 10.0, 1);
        out += "秒";
    };
    switch (session.exercise) {
        case RecordedExercise::Reading:
            if (session.pacePerMinute > 0) {
                out += "ペース ";
                appendCount(out, session.pacePerMinute);
                out += " 文字/分";
            } else {
                displayTime();
            }
            out += "・";
            appendInteger(out, session.characters);
            if (session.phrasesPerFlash > 0) {
                out += "字・フレーズ ";
                appendInteger(out, session.phrasesPerFlash);
                out += "文節";
            } else {
                out += "字×";
                appendInteger(out, session.rows);
                out += "行";
                out += session.phraseRows ? "・文節で折り返し" : "";
            }
            out += session.vertical ? "・縦書き" : "・横書き";
            break;
        case RecordedExercise::ImagePractice: displayTime(); break;
        case RecordedExercise::Maze:
            appendInteger(out, session.mazeSize);
            out += "×";
            appendInteger(out, session.mazeSize);
            break;
        case RecordedExercise::Puzzle: out += "—"; break;
        case RecordedExercise::ReadingTest:
            out += session.testLevel == 1 ? "やさしい" : session.testLevel == 2 ? "ふつう" : session.testLevel == 3 ? "むずかしい" : "自分の文章";
            out += "・";
            appendInteger(out, session.characters);
            out += "字×";
            appendInteger(out, session.rows);
            out += "行";
            out += session.phraseRows ? "・文節で折り返し" : "";
            out += session.vertical ? "・縦書き" : "・横書き";
            break;
    }
}

void appendFigures(std::string& out, const SessionRecord& session) {
    switch (session.exercise) {
        case RecordedExercise::Reading:
            out += "実測 ";
            appendCount(out, session.measuredPerMinute);
            out += " 文字/分・設定 ";
            appendCount(out, session.nominalPerMinute);
            out += " 文字/分・";
            appendCount(out, session.charactersShown);
            out += " 字・";
            appendDuration(out, session.activeMilliseconds);
            if (session.questions > 0) {
                out += "・確認 ";
                appendCount(out, session.rightAnswers);
                out += " / ";
                appendCount(out, session.questions);
                out += " 問正解・終わり ";
                appendCount(out, session.pacePerMinute);
                out += " 文字/分";
                if (session.heldPerMinute > 0) {
                    out += "・保てた速さ ";
                    appendCount(out, session.heldPerMinute);
                    out += " 文字/分";
                }
            }
            break;
        case RecordedExercise::ImagePractice:
            appendCount(out, session.questions);
            out += " 問・一回目で正解 ";
            appendCount(out, session.rightFirstTime);
            if (session.questions > 0) {
                out += "（";
                appendFixed(out, asDouble(session.rightFirstTime) * 100 / asDouble(session.questions), 1);
                out += "%）";
            }
            out += "・誤り ";
            appendCount(out, session.wrongAnswers);
            out += "・平均 ";
            appendSeconds(out, session.meanAnswerMilliseconds, 2);
            break;
        case RecordedExercise::Maze:
            appendCount(out, session.mazesSolved);
            out += " 面・平均 ";
            appendSeconds(out, session.meanMazeMilliseconds);
            break;
        case RecordedExercise::Puzzle:
            appendCount(out, session.puzzlesSolved);
            out += " 枚完成・平均 ";
            appendSeconds(out, session.meanPuzzleMilliseconds);
            break;
        case RecordedExercise::ReadingTest:
            appendEscaped(out, session.textName);
            out += "・";
            appendCount(out, session.charactersShown);
            out += " 字";
            if (session.abandoned) {
                out += "・途中でやめた";
                break;
            }
            out += "・";
            appendDuration(out, session.activeMilliseconds);
            out += "・";
            appendCount(out, session.measuredPerMinute);
            out += " 文字/分・正解 ";
            appendCount(out, session.rightAnswers);
            out += " / ";
            appendCount(out, session.questions);
            out += "・実効 ";
            appendCount(out, session.effectivePerMinute);
            out += " 文字/分";
            break;
    }
}

bool startsBefore(const LocalTime& a, const LocalTime& b) {
    const auto key = [](const LocalTime& time) {
        return std::array<int, 6>{time.year, time.month, time.day, time.hour, time.minute, time.second};
    };
    return key(a) < key(b);
}

// Newest first; of two sessions begun in the same second, the one later in the file.
void appendTable(std::string& out, const std::vector<SessionRecord>& sessions) {
    std::vector<std::size_t> order(sessions.size());
    for (std::size_t index = 0; index < order.size(); ++index) order[index] = index;
    const auto newer = [&](std::size_t a, std::size_t b) {
        if (startsBefore(sessions[b].start, sessions[a].start)) return true;
        if (startsBefore(sessions[a].start, sessions[b].start)) return false;
        return a > b;
    };
    const std::size_t shown = std::min(order.size(), kTableSessions);
    std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(shown), order.end(), newer);
    out += "<section>\n<h2>最近の練習</h2>\n<div class=\"scroll\">\n<table>\n"
           "<thead><tr><th>日付</th><th>時刻</th><th>練習</th><th>設定</th><th>テキスト</th><th>成績</th></tr>"
           "</thead>\n<tbody>\n";
    for (std::size_t rank = 0; rank < shown; ++rank) {
        const SessionRecord& session = sessions[order[rank]];
        out += "<tr><td>";
        appendDate(out, dayOf(session.start));
        out += "</td><td>";
        appendClock(out, session.start);
        out += "</td><td>";
        out += exerciseLabel(session.exercise);
        out += "</td><td>";
        appendSettings(out, session);
        out += "</td><td class=\"name\">";
        appendEscaped(out, session.textName);
        out += "</td><td>";
        appendFigures(out, session);
        out += "</td></tr>\n";
    }
    out += "</tbody>\n</table>\n</div>\n</section>\n";
}

void appendSummary(std::string& out, const std::vector<SessionRecord>& sessions) {
    const auto [first, last] = std::minmax_element(
        sessions.begin(), sessions.end(),
        [](const SessionRecord& a, const SessionRecord& b) { return startsBefore(a.start, b.start); });
    out += "<p class=\"summary\">記録 ";
    appendCount(out, static_cast<std::int64_t>(sessions.size()));
    out += " 回（";
    appendDate(out, dayOf(first->start));
    out += " ～ ";
    appendDate(out, dayOf(last->start));
    out += "）</p>\n";
}

}  // namespace

std::string reportHtml(const std::vector<SessionRecord>& sessions, LocalTime now) {
    std::string out;
    out.reserve(64 * 1024);
    out += "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
    out += kTitle;
    out += "</title>\n<style>";
    out += kStyle;
    out += "</style>\n</head>\n<body>\n<h1>";
    out += kTitle;
    out += "</h1>\n<p class=\"made\">作成 ";
    appendDate(out, dayOf(now));
    out.push_back(' ');
    appendClock(out, now);
    out += "</p>\n";
    if (sessions.empty()) {
        out += "<p class=\"empty\">まだ記録がありません。練習を始めて終えると、ここに日ごとの成績が表示されます。</p>\n";
    } else {
        appendSummary(out, sessions);
        appendReadingSection(out, sessions);
        appendReadingTestSection(out, sessions);
        appendImagePracticeSection(out, sessions);
        appendMazeSection(out, sessions);
        appendTable(out, sessions);
    }
    out += "</body>\n</html>\n";
    return out;
}

}  // namespace tavori
