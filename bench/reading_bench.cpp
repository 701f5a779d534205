// Building and drawing one 16-row page of the reading text.
#include <benchmark/benchmark.h>

#include <string>

#include "files/files.h"
#include "reading/reading.h"
#include "support/fake_platform.h"

namespace tavori {
namespace {

// A text of mixed double-byte characters, ASCII and CR LF line ends.
std::vector<char> benchText() {
    std::string line;
    for (int i = 0; i < 20; ++i) line += "\x93\xC7\x82\xDE";  // 読む
    line += "speed reading\r\n";
    std::string text;
    while (text.size() < 200000) text += line;
    std::vector<char> buffer(text.begin(), text.end());
    buffer.resize(text.size() + static_cast<std::size_t>(kLoadPadding), '\0');
    return buffer;
}

void BM_BuildPage16Rows(benchmark::State& state) {
    ReadingState reading;
    reading.readingText = benchText();
    reading.linesPerScreen = 16;
    PageRows rows;
    for (auto _ : state) {
        buildReadingPage(reading, rows);
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_BuildPage16Rows);

void BM_StepAndDrawPage16Rows(benchmark::State& state) {
    testing::FakePlatform platform(1200, 800);
    RandomGenerator random{1};
    ShellState shell{Mode::SpeedReading, 1, 1200, 800};
    Context context{platform, random, shell};
    ReadingState reading;
    reading.readingText = benchText();
    reading.linesPerScreen = 16;
    for (auto _ : state) {
        reading.pageTickCount = 1;
        stepSpeedReading(reading, context);
        platform.window().clearTextRuns();
    }
}
BENCHMARK(BM_StepAndDrawPage16Rows);

}  // namespace
}  // namespace tavori
