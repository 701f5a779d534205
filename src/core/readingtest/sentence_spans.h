// The sentences of a Shift-JIS passage, as byte spans, for the reading test's questions.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace tavori {

struct SentenceSpan {
    std::size_t start;  // the first byte of the sentence's first character
    std::size_t end;    // one past its last byte
};

// The passage's sentences in order. A sentence ends after 。！？ (with any more of them and the
// closing brackets 」』） that follow) or at a line end; spaces and line ends before a sentence,
// spaces at its end and a bracket at either end whose partner lies in another sentence are left
// out, so no span is empty and none holds a line end. The passage is
// walked a character at a time, so a trail byte such as the 0xA1 of ぃ (0x82 0xA1) is never
// taken for the half-width ｡.
std::vector<SentenceSpan> sentenceSpans(std::string_view passage);

}  // namespace tavori
