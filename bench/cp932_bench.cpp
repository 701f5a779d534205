// UTF-8 to CP932 of a 200 KB Japanese text: the core's table against the iconv converter the
// Linux program used before it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "common/cp932_encoder.h"
#ifndef _WIN32
#include "cp932_iconv.h"
#endif

namespace tavori {
namespace {

// A novel's mix: kanji and kana, full-width punctuation and ruby brackets, some ASCII, and a
// character CP932 lacks now and then, about 200 KB of UTF-8 in all.
std::string japaneseText() {
    const std::string line = "　吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当《けんとう》がつかぬ。"
                             "何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。Chapter 1 — 😀\n";
    std::string text;
    while (text.size() < 200000) text += line;
    return text;
}

void BM_Utf8ToCp932Table200KB(benchmark::State& state) {
    const std::string text = japaneseText();
    for (auto _ : state) benchmark::DoNotOptimize(utf8ToCp932(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Utf8ToCp932Table200KB)->Unit(benchmark::kMicrosecond);

#ifndef _WIN32
void BM_Utf8ToCp932Iconv200KB(benchmark::State& state) {
    const std::string text = japaneseText();
    for (auto _ : state) benchmark::DoNotOptimize(utf8ToCp932WithIconv(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Utf8ToCp932Iconv200KB)->Unit(benchmark::kMicrosecond);
#endif

}  // namespace
}  // namespace tavori
