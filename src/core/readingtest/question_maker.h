// Comprehension questions made from a passage itself: which sentence appeared, and cloze.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/random.h"

namespace tavori {

enum class QuestionKind { Appeared, Cloze };

struct TestQuestion {
    QuestionKind kind;
    std::string prompt;                      // Shift-JIS (code page 932), shown in the top row
    std::array<std::string, 3> choices;      // Shift-JIS, rows 1..3
    int answer;                              // 0..2: the row of the right choice
    std::size_t sentenceStart, sentenceEnd;  // the source sentence's bytes in the passage
};

// Up to `count` questions made from `passage` (Shift-JIS as the program loads it: CR LF line
// ends, the text up to its end; phraseStarts from phrases/phrase_segmenter.h
// `phraseStarts(passage)`), one from each of `count` equal stretches of the passage's characters
// in order (borrowing the nearest unused sentence that can give one when a stretch has none),
// never two from one sentence; deterministic for the generator's state. Fewer when the passage
// cannot give `count` (the caller says so).
//
// Appeared: the prompt asks which sentence was in the passage; the choices are a sentence of it
// and two copies with the same phrase replaced by other phrases of the passage that end in the
// same character. Cloze: the prompt is a sentence with one phrase holding a kanji blanked as
// （　　）, which occurs nowhere else in it; the choices are that phrase and two other phrases of
// the passage ending in the same character, of about its length. Only sentences of 8 to 40
// characters (one row) with at least two phrases are asked about; a phrase is replaced without
// its brackets and punctuation. The kinds alternate from a drawn first kind, each falling back
// to the other; the right choice's row is one draw below 3.
std::vector<TestQuestion> makeQuestions(std::string_view passage, std::span<const std::size_t> phraseStarts, int count,
                                        RandomGenerator& random);

}  // namespace tavori
