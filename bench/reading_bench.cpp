// Building and drawing one 16-row page of the reading text, in rows and in columns, and loading
// a text through the pipeline.
#include <benchmark/benchmark.h>

#include <string>

#include "files/files.h"
#include "files/text_file.h"
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

// Steps that each show a page of sixteen rows, or of sixteen columns (縦書き, a cell per
// character logged by the raster canvas).
void stepAndDrawPages(benchmark::State& state, bool vertical) {
    testing::FakePlatform platform(1200, 800);
    RandomGenerator random{1};
    ShellState shell{Mode::SpeedReading, 1, 1200, 800};
    Context context{platform, random, shell};
    ReadingState reading;
    reading.readingText = benchText();
    reading.linesPerScreen = 16;
    reading.vertical = vertical;
    for (auto _ : state) {
        reading.pageTickCount = 1;
        stepSpeedReading(reading, context);
        platform.window().clearTextRuns();
    }
}

void BM_StepAndDrawPage16Rows(benchmark::State& state) { stepAndDrawPages(state, false); }
BENCHMARK(BM_StepAndDrawPage16Rows);

void BM_StepAndDrawPage16Columns(benchmark::State& state) { stepAndDrawPages(state, true); }
BENCHMARK(BM_StepAndDrawPage16Columns);

// A novel-sized (about 1 MB) Aozora Bunko text in Shift-JIS with LF line ends: every line
// gets a CR, and its ruby and notes are removed.
void BM_ReadingTextPipelineAozora1MB(benchmark::State& state) {
    std::string line = "\x81\x40";  // an indenting full-width space
    for (int i = 0; i < 10; ++i) line += "\x93\xC7\x82\xDE\x81\x73\x82\xE6\x82\xDE\x81\x74";  // 読む《よむ》
    line += "\x81\xA6\x81\x6D\x81\x94\x8A\x4F\x8E\x9A\x81\x6E\n";  // ※［＃外字］
    std::string text = "\x91\xE8\n\x92\x98\x8E\xD2\n";  // title, author
    while (text.size() < 1000000) text += line;
    text += "\x92\xEA\x96\x7B\x81\x46\n";  // 底本：
    for (auto _ : state) {
        benchmark::DoNotOptimize(programText(text, TextKind::Reading));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadingTextPipelineAozora1MB)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavori
