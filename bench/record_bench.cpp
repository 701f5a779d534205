// Reading the record file and making the report of a long history: a year and more of daily
// practice, and a million-line file.
#include <benchmark/benchmark.h>

#include <string>

#include "record/history.h"
#include "record/report.h"

namespace tavori {
namespace {

// `sessions` sessions of every exercise spread over 420 days from 2025-10-01, with Japanese
// names, as the program would have appended them.
std::string historyText(int sessions) {
    constexpr int kDays = 420;
    std::string text(historyHeader());
    text.reserve(static_cast<std::size_t>(sessions) * 110);
    for (int index = 0; index < sessions; ++index) {
        const int day = index * kDays / sessions;
        SessionRecord record;
        const int month = 10 + day / 28;  // 28-day months keep every date valid
        record.start = {2025 + (month - 1) / 12, (month - 1) % 12 + 1, day % 28 + 1, 8 + index % 12, index % 60, 0};
        record.exercise = static_cast<RecordedExercise>(index % 4);
        record.displayTicks = 1 + index % 10;
        record.rows = 1 + index % 16;
        record.vertical = index % 3 == 0;
        record.textName = index % 2 == 0 ? "吾輩は猫である.txt" : "template.tvr3";
        record.charactersShown = 20000 + index % 997;
        record.activeMilliseconds = 600000 + index % 1009;
        record.nominalPerMinute = 1920;
        record.measuredPerMinute = 2000 + index % 101;
        record.questions = 20;
        record.rightFirstTime = index % 21;
        record.meanAnswerMilliseconds = 1200 + index % 500;
        record.mazesSolved = 1 + index % 5;
        record.meanMazeMilliseconds = 40000 + index % 9000;
        record.puzzlesSolved = 1 + index % 3;
        record.meanPuzzleMilliseconds = 90000 + index % 30000;
        text += historyLine(record);
    }
    return text;
}

constexpr LocalTime kNow = {2026, 12, 8, 9, 30, 0};

void BM_ParseAndReport100kSessions(benchmark::State& state) {
    const std::string text = historyText(100000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(reportHtml(parseHistory(text), kNow));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseAndReport100kSessions)->Unit(benchmark::kMillisecond);

// About 100 MB: the reader is one pass, so this is ten times the above's parse.
void BM_ParseMillionLines(benchmark::State& state) {
    const std::string text = historyText(1000000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(parseHistory(text));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseMillionLines)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavori
