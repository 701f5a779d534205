// Cost of building one image-practice question: the bundled template, and templates that run
// into the expansion bounds.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "imagepractice/question.h"

namespace tavori {
namespace {

ImagePracticeState stateWith(std::string bytes) {
    ImagePracticeState image;
    image.templateFile = indexTemplateText(std::vector<char>(bytes.begin(), bytes.end()), bytes.size());
    return image;
}

void runBuilds(benchmark::State& state, ImagePracticeState& image) {
    RandomGenerator random(1);
    for (auto _ : state) {
        buildQuestion(image, random);
        benchmark::DoNotOptimize(image.shownSentence.data());
    }
}

// data/tvr.tvr3 of the source tree this benchmark was built from (the path is given by the
// build, since __FILE__ may be relative under a compiler cache).
std::string bundledTemplatePath() { return TAVORI_SOURCE_DIR "/data/tvr.tvr3"; }

void BM_BuildQuestionBundled(benchmark::State& state) {
    std::ifstream file(bundledTemplatePath(), std::ios::binary);
    if (!file) {
        state.SkipWithError("data/tvr.tvr3 not found");
        return;
    }
    ImagePracticeState image = stateWith(std::string(std::istreambuf_iterator<char>(file), {}));
    runBuilds(state, image);
}
BENCHMARK(BM_BuildQuestionBundled);

// A plain line whose reference keeps doubling until the text reaches 60000 bytes. (A "[main]"
// line may not begin with "[": it would be a header of its own, found first.)
void BM_BuildQuestionGrowingToTheSizeBound(benchmark::State& state) {
    ImagePracticeState image = stateWith("[main]\r\n=[g]\r\n\r\n[g]\r\n\x82\xA0[g]abcdefgh[g]\r\n\r\n");
    runBuilds(state, image);
}
BENCHMARK(BM_BuildQuestionGrowingToTheSizeBound);

// A print line whose choice always gives the same text after 10000 references, so all 1000
// rounds of three expansions run.
void BM_BuildQuestionAllRoundsAtTheReferenceBound(benchmark::State& state) {
    ImagePracticeState image = stateWith("[main]\r\nprint(select([loop]))\r\n\r\n[loop]\r\n[loop]\r\n\r\n");
    RandomGenerator probe(1);
    buildQuestion(image, probe);
    if (image.candidates[0] != "[loop]") {
        state.SkipWithError("the template does not loop");
        return;
    }
    runBuilds(state, image);
}
BENCHMARK(BM_BuildQuestionAllRoundsAtTheReferenceBound)->Unit(benchmark::kMillisecond);

// The worst for the rounds: every expansion reaches the size bound, identical each time.
void BM_BuildQuestionAllRoundsAtTheSizeBound(benchmark::State& state) {
    ImagePracticeState image = stateWith("[main]\r\nprint(select([g]))\r\n\r\n[g]\r\nabcdefgh[g]\r\n\r\n");
    runBuilds(state, image);
}
BENCHMARK(BM_BuildQuestionAllRoundsAtTheSizeBound)->Unit(benchmark::kMillisecond);

// An ordinary template's worst: a choice of two alternatives can never give three different
// results, so all 1000 rounds of three short expansions run.
void BM_BuildQuestionAllRoundsOfAShortChoice(benchmark::State& state) {
    ImagePracticeState image = stateWith("[main]\r\nprint(a select([two])b)\r\n\r\n[two]\r\nx\r\ny\r\n\r\n");
    runBuilds(state, image);
}
BENCHMARK(BM_BuildQuestionAllRoundsOfAShortChoice)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavori
