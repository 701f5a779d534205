// Segmenting a novel-length text into phrases: the bundled reading text repeated to about
// 200,000 characters (the target is 10 MB/s, such a text in under 50 ms).
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include "common/sjis.h"
#include "phrases/phrase_segmenter.h"

namespace tavori {
namespace {

std::string novelLengthText() {
    std::ifstream file(TAVORI_SOURCE_DIR "/data/w.txt", std::ios::binary);
    const std::string once((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::string text;
    std::size_t characters = 0;
    while (characters < 200000 && !once.empty()) {
        text += once;
        for (std::size_t position = 0; position < once.size(); position += characterWidthAt(once, position)) {
            ++characters;
        }
    }
    return text;
}

void BM_PhraseStartsOf200kCharacters(benchmark::State& state) {
    const std::string text = novelLengthText();
    for (auto _ : state) {
        benchmark::DoNotOptimize(phraseStarts(text));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_PhraseStartsOf200kCharacters)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavori
