// Fuzzes the reading test's question maker: on any bytes (the first two choosing the count and the
// seed) at most `count` questions, each about its own sentence in order inside the text, with the
// right row in 0..2, three distinct choices, and a cloze answer nowhere in its prompt.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "common/sjis.h"
#include "phrases/phrase_segmenter.h"
#include "readingtest/question_maker.h"
#include "readingtest/sentence_spans.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int count = data[0] % 8;
    tavori::RandomGenerator random(data[1]);
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    for (const tavori::SentenceSpan span : tavori::sentenceSpans(text)) {
        if (span.start >= span.end || span.end > text.size()) __builtin_trap();
    }
    const std::vector<std::size_t> starts = tavori::phraseStarts(text);
    const std::vector<tavori::TestQuestion> questions = tavori::makeQuestions(text, starts, count, random);
    if (questions.size() > static_cast<std::size_t>(count)) __builtin_trap();
    std::size_t previousEnd = 0;
    for (const tavori::TestQuestion& question : questions) {
        if (question.answer < 0 || question.answer > 2) __builtin_trap();
        if (question.sentenceStart < previousEnd || question.sentenceEnd <= question.sentenceStart || question.sentenceEnd > text.size()) __builtin_trap();
        previousEnd = question.sentenceEnd;
        const auto& choices = question.choices;
        if (choices[0] == choices[1] || choices[0] == choices[2] || choices[1] == choices[2]) __builtin_trap();
        const std::string& right = choices[static_cast<std::size_t>(question.answer)];
        if (tavori::findAtCharacter(question.prompt, right) != std::string_view::npos) __builtin_trap();
    }
    return 0;
}
