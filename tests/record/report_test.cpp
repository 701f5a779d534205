// The report page: the day figures read back out of the charts, the table's rows, escaping and
// the empty history.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "record/report.h"

namespace tavori {
namespace {

constexpr LocalTime kNow = {2026, 12, 8, 9, 30, 0};

SessionRecord session(RecordedExercise exercise, int day, int hour = 9) {
    SessionRecord record;
    record.exercise = exercise;
    record.start = {2026, 12, day, hour, 0, 0};
    return record;
}

SessionRecord reading(int day, std::int64_t characters, std::int64_t milliseconds, std::int64_t nominal,
                      bool vertical = false) {
    SessionRecord record = session(RecordedExercise::Reading, day);
    record.charactersShown = characters;
    record.activeMilliseconds = milliseconds;
    record.nominalPerMinute = nominal;
    record.vertical = vertical;
    return record;
}

std::string attribute(const std::string& element, const std::string& name) {
    const std::size_t start = element.find(name + "=\"") + name.size() + 2;
    return element.substr(start, element.find('"', start) - start);
}

// "series day" → data-value of every point in the page.
std::map<std::string, std::string> chartPoints(const std::string& html) {
    std::map<std::string, std::string> points;
    for (std::size_t at = html.find("<circle "); at != std::string::npos; at = html.find("<circle ", at + 1)) {
        const std::string element = html.substr(at, html.find('>', at) - at);
        points[attribute(element, "data-series") + " " + attribute(element, "data-day")] =
            attribute(element, "data-value");
    }
    return points;
}

std::size_t count(const std::string& html, const std::string& wanted) {
    std::size_t found = 0;
    for (std::size_t at = html.find(wanted); at != std::string::npos; at = html.find(wanted, at + 1)) ++found;
    return found;
}

TEST(Report, ReadingDaysAreCharactersOverMinutesAndNominalWeightedByCharacters) {
    const std::vector<SessionRecord> sessions = {
        reading(1, 1000, 60000, 1200), reading(1, 3000, 120000, 2000),  // 4000 in 3 min
        reading(2, 500, 60000, 600, true), reading(2, 700, 30000, 900),
        reading(3, 800, 0, 900),  // no unpaused time: no point that day
        session(RecordedExercise::Maze, 3),
    };
    const std::map<std::string, std::string> expected = {
        {"measured-horizontal 2026-12-01", "1333.3"}, {"nominal-horizontal 2026-12-01", "1800.0"},
        {"measured-horizontal 2026-12-02", "1400.0"}, {"nominal-horizontal 2026-12-02", "900.0"},
        {"measured-vertical 2026-12-02", "500.0"},    {"nominal-vertical 2026-12-02", "600.0"},
    };
    EXPECT_EQ(chartPoints(reportHtml(sessions, kNow)), expected);
    // Without vertical sessions there are no vertical lines, nor their legend.
    const std::string horizontalOnly = reportHtml({sessions[0]}, kNow);
    EXPECT_EQ(count(horizontalOnly, "data-series=\"measured-vertical\""), 0u);
    EXPECT_EQ(count(horizontalOnly, "縦書き"), 0u);
}

TEST(Report, ImagePracticeAndMazeDaysAreWeightedByQuestionsAndMazes) {
    std::vector<SessionRecord> sessions(4, session(RecordedExercise::ImagePractice, 5));
    sessions[0].questions = 10, sessions[0].rightFirstTime = 9, sessions[0].meanAnswerMilliseconds = 1000;
    sessions[1].questions = 30, sessions[1].rightFirstTime = 21, sessions[1].meanAnswerMilliseconds = 2000;
    sessions[2] = session(RecordedExercise::Maze, 6);
    sessions[2].mazesSolved = 1, sessions[2].meanMazeMilliseconds = 40000;
    sessions[3] = session(RecordedExercise::Maze, 6);
    sessions[3].mazesSolved = 3, sessions[3].meanMazeMilliseconds = 20000;
    const std::map<std::string, std::string> expected = {
        {"first-try 2026-12-05", "75.0"}, {"answer-time 2026-12-05", "1.75"}, {"maze-time 2026-12-06", "25.00"}};
    const std::string html = reportHtml(sessions, kNow);
    EXPECT_EQ(chartPoints(html), expected);
    EXPECT_NE(html.find("速読み練習の記録はまだありません。"), std::string::npos);
}

TEST(Report, ChartsShowTheLatestNinetyDaysAndHugeFiguresStayFinite) {
    std::vector<SessionRecord> sessions;
    for (int day = 0; day < 100; ++day) {
        SessionRecord maze = session(RecordedExercise::Maze, 1);
        maze.start = {2026, 1 + day / 28, 1 + day % 28, 9, 0, 0};
        maze.mazesSolved = 1000000000000;
        maze.meanMazeMilliseconds = 1000000000000;
        sessions.push_back(maze);
    }
    sessions.push_back(reading(1, 1000000000000, 1, 1000000000000));
    sessions.push_back(reading(2, 1000000000000, 0, 1000000000000));
    const std::string html = reportHtml(sessions, kNow);
    const std::map<std::string, std::string> points = chartPoints(html);
    EXPECT_EQ(points.size(), 90u + 2u);
    EXPECT_EQ(points.count("maze-time 2026-01-10"), 0u);
    EXPECT_EQ(points.count("maze-time 2026-01-11"), 1u);
    EXPECT_EQ(points.at("maze-time 2026-04-16"), "1000000000.00");
    EXPECT_EQ(points.at("measured-horizontal 2026-12-01"), "6.0e+16");
    for (const char* bad : {"nan", "inf", "NaN"}) EXPECT_EQ(html.find(bad), std::string::npos) << bad;
}

TEST(Report, TableListsTheLatestSessionsNewestFirstWithNamesEscaped) {
    std::vector<SessionRecord> sessions;
    for (int hour = 0; hour < 60; ++hour) sessions.push_back(session(RecordedExercise::Puzzle, 1 + hour / 24, hour % 24));
    sessions[59].textName = "<script>alert('x&y')</script>\".txt";
    sessions[58].exercise = RecordedExercise::Maze;
    const std::string html = reportHtml(sessions, kNow);
    EXPECT_EQ(count(html, "<tr><td>"), kTableSessions);
    const std::size_t newest = html.find("<tr><td>2026-12-03</td><td>11:00</td><td>パズル</td>");
    const std::size_t next = html.find("<tr><td>2026-12-03</td><td>10:00</td><td>迷路</td>");
    EXPECT_LT(newest, next);
    EXPECT_NE(next, std::string::npos);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_NE(html.find("&lt;script&gt;alert(&#39;x&amp;y&#39;)&lt;/script&gt;&quot;.txt"), std::string::npos);
    // The oldest ten are left out.
    EXPECT_EQ(html.find("<tr><td>2026-12-01</td><td>09:00</td>"), std::string::npos);
}

TEST(Report, EmptyHistorySaysHowARecordComesAbout) {
    const std::string html = reportHtml({}, kNow);
    EXPECT_NE(html.find("<html lang=\"ja\">"), std::string::npos);
    EXPECT_NE(html.find("作成 2026-12-08 09:30"), std::string::npos);
    EXPECT_NE(html.find("まだ記録がありません。練習を始めて終えると"), std::string::npos);
    EXPECT_EQ(html.find("<svg"), std::string::npos);
    EXPECT_EQ(html.find("<table"), std::string::npos);
}

}  // namespace
}  // namespace tavori
