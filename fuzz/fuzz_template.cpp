// Fuzzes template files: loaded (UTF-8 ones converted), indexed, looked up and expanded into
// questions, with the generator seeded from the input and the question screen stepped and clicked.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/context.h"
#include "imagepractice/expansion.h"
#include "imagepractice/image_practice.h"
#include "imagepractice/question.h"
#include "support/fake_platform.h"

namespace {

// FNV-1a over the whole input: the file stays intact and still decides the draws.
std::uint32_t seedOf(const std::uint8_t* data, std::size_t size) {
    std::uint32_t hash = 2166136261u;
    for (std::size_t index = 0; index < size; ++index) {
        hash = (hash ^ data[index]) * 16777619u;
    }
    return hash;
}

void check(bool holds) {
    if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavori;
    static testing::FakePlatform platform(200, 150);
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    platform.addFile("/t.tvr3", bytes);
    ImagePracticeState image;
    loadTemplateFile(image, platform, "/t.tvr3");
    // The index only ever points inside the text.
    const TemplateFile& loaded = image.templateFile;
    check(loaded.templateLines.size() == static_cast<std::size_t>(loaded.templateLineEndCount) + 1);
    for (const std::int32_t offset : loaded.templateLines) {
        check(offset >= 0 && static_cast<std::size_t>(offset) < loaded.templateText.size());
    }
    for (const std::int32_t line : loaded.templateSections) {
        check(line >= 0 && line <= loaded.templateLineEndCount);
    }

    RandomGenerator random(seedOf(data, size));
    ShellState shell;
    shell.clientWidth = 200;
    shell.clientHeight = 150;
    shell.displayTicks = 1;
    Context context{platform, random, shell};
    for (int question = 0; question < 3; ++question) {
        buildQuestion(image, random);
        check(image.shownSentence.size() <= kMaxExpandedBytes);
        for (const std::string& candidate : image.candidates) {
            check(candidate.size() <= kMaxExpandedBytes);
        }
    }
    // A question through the screen: due, flashed, answered by a click on the middle row.
    image.questionPhase = QuestionPhase::Due;
    stepImagePractice(image, context);
    stepImagePractice(image, context);
    clickImagePractice(image, context, 100, 75 + 50);
    stepImagePractice(image, context);
    platform.window().clearTextRuns();
    return 0;
}
