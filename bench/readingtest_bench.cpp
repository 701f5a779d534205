// Making the reading test's five questions from a 3,000-character passage (the target is under
// 5 ms), with the phrase segmentation the test runs first and without it.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include "common/sjis.h"
#include "files/text_file.h"
#include "phrases/phrase_segmenter.h"
#include "readingtest/question_maker.h"

namespace tavori {
namespace {

// The bundled reading text's first 3,000 characters, as the program loads it.
std::string passageOf3000Characters() {
    std::ifstream file(TAVORI_SOURCE_DIR "/data/w.txt", std::ios::binary);
    const std::string text = programText(std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>()), TextKind::Reading);
    std::size_t position = 0;
    for (int characters = 0; characters < 3000 && position < text.size(); ++characters) {
        position += characterWidthAt(text, position);
    }
    return text.substr(0, position);
}

void BM_FiveQuestionsFrom3000Characters(benchmark::State& state) {
    const std::string passage = passageOf3000Characters();
    const std::vector<std::size_t> starts = phraseStarts(passage);
    std::uint32_t seed = 0;
    for (auto _ : state) {
        RandomGenerator random(++seed);
        benchmark::DoNotOptimize(makeQuestions(passage, starts, 5, random));
    }
}
BENCHMARK(BM_FiveQuestionsFrom3000Characters)->Unit(benchmark::kMillisecond);

void BM_PhrasesAndFiveQuestionsFrom3000Characters(benchmark::State& state) {
    const std::string passage = passageOf3000Characters();
    std::uint32_t seed = 0;
    for (auto _ : state) {
        RandomGenerator random(++seed);
        benchmark::DoNotOptimize(makeQuestions(passage, phraseStarts(passage), 5, random));
    }
}
BENCHMARK(BM_PhrasesAndFiveQuestionsFrom3000Characters)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavori
