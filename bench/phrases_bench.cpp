// Segmenting a novel-length text into phrases: the bundled reading text repeated and cut to
// 200,000 characters, so the time per iteration is such a text's (the target is under 50 ms),
// and the speed in MB/s (10^6 bytes a second; the target is at least 10).
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include "common/sjis.h"
#include "phrases/phrase_segmenter.h"

namespace tavori {
namespace {

constexpr std::size_t kNovelCharacters = 200000;

std::string novelLengthText() {
    std::ifstream file(TAVORI_SOURCE_DIR "/data/w.txt", std::ios::binary);
    const std::string once((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::string text;
    while (text.size() < kNovelCharacters * 2 && !once.empty()) text += once;
    std::size_t end = 0;
    for (std::size_t characters = 0; characters < kNovelCharacters && end < text.size(); ++characters) {
        end += characterWidthAt(text, end);
    }
    return text.substr(0, end);
}

void BM_PhraseStartsOf200kCharacters(benchmark::State& state) {
    const std::string text = novelLengthText();
    for (auto _ : state) {
        benchmark::DoNotOptimize(phraseStarts(text));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["bytes"] = static_cast<double>(text.size());
    state.counters["MB_per_s"] = benchmark::Counter(static_cast<double>(text.size()) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_PhraseStartsOf200kCharacters)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavori
