// The tick timing table both front ends' measurements print: drift from the ideal 100 ms grid
// at the last tick, per-tick lateness (median, 99th percentile, maximum, share within 2 ms) and
// how often the source woke its thread per tick.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace tavori::bench {

inline constexpr std::int64_t kTickPeriodMicroseconds = 100'000;

// One tick source's tick times, in microseconds since the start both sources share.
struct TickSeries {
    const char* name;
    std::vector<std::int64_t> times;
    double wakesPerTick = 0;  // 0: not counted
};

inline void printTickRow(const TickSeries& series) {
    if (series.times.empty()) {
        std::printf("| %-28s | no tick |\n", series.name);
        return;
    }
    std::vector<std::int64_t> lateness;
    for (std::size_t index = 0; index < series.times.size(); ++index) {
        lateness.push_back(series.times[index] - static_cast<std::int64_t>(index + 1) * kTickPeriodMicroseconds);
    }
    std::vector<std::int64_t> sorted = lateness;
    std::sort(sorted.begin(), sorted.end());
    const auto at = [&](double fraction) {
        return sorted[std::min(sorted.size() - 1, static_cast<std::size_t>(fraction * static_cast<double>(sorted.size())))];
    };
    const std::size_t withinTwo = static_cast<std::size_t>(std::count_if(
        lateness.begin(), lateness.end(), [](std::int64_t late) { return late >= -2000 && late <= 2000; }));
    char wakes[16] = "-";
    if (series.wakesPerTick > 0) {
        std::snprintf(wakes, sizeof wakes, "%.2f", series.wakesPerTick);
    }
    std::printf("| %-28s | %5zu | %10.3f s | %+9.2f ms | %8.2f ms | %8.2f ms | %8.2f ms | %5.1f %% | %10s |\n",
                series.name, series.times.size(), static_cast<double>(series.times.back()) / 1e6,
                static_cast<double>(lateness.back()) / 1000.0, static_cast<double>(at(0.5)) / 1000.0,
                static_cast<double>(at(0.99)) / 1000.0, static_cast<double>(sorted.back()) / 1000.0,
                100.0 * static_cast<double>(withinTwo) / static_cast<double>(lateness.size()), wakes);
}

// The heading reads "Tick timing<where> over N ticks"; where is "" or, say, " under Wine".
inline void printTickTable(const char* where, int ticks, const std::vector<const TickSeries*>& rows) {
    std::printf("Tick timing%s over %d ticks (ideal: %.1f s)\n\n", where, ticks, static_cast<double>(ticks) * 0.1);
    std::printf("| %-28s | %5s | %12s | %12s | %11s | %11s | %11s | %7s | %10s |\n", "tick source", "ticks",
                "last tick", "drift", "late p50", "late p99", "late max", "<=2 ms", "wakes/tick");
    std::printf("|------------------------------|-------|--------------|--------------|-------------|-------------|-------------|---------|------------|\n");
    for (const TickSeries* row : rows) {
        printTickRow(*row);
    }
}

}  // namespace tavori::bench
