// Builds one question from the template: the sentence to flash and its three answer candidates.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/random.h"
#include "imagepractice/image_practice.h"

namespace tavori {

// A choice text that cannot give three different results is tried this many times (or until
// the work budget below is spent); the question then goes on with the last three, equal ones
// included.
inline constexpr std::int32_t kMaxChoiceRounds = 1000;
// The rounds of one question together expand at most about this many references and produce
// about this many bytes: a round always ends, and no round starts once either sum is reached.
// A choice text at the expansion bounds (10000 references or 60000 bytes per text) then stops
// after two or three rounds instead of a thousand, which took about a second; ordinary
// templates use a small part of it even over all their rounds.
inline constexpr std::int64_t kMaxQuestionReferences = 50000;
inline constexpr std::int64_t kMaxQuestionBytes = 500000;

// The parts of a print line: print(prefix select(choice) suffix) with anything after the
// suffix's ")" ignored.
struct PrintLine {
    std::string prefix;
    std::string choice;
    std::string suffix;
};

// True when the "[main]" line is of the print form.
bool isPrintLine(std::string_view line);
// Splits a print line (which begins with "print("), scanning by characters.
PrintLine splitPrintLine(std::string_view line);

// Draws a "[main]" line and fills shownSentence and candidates. Draws in this order: the
// line; the references of the first, second and third copy of the choice text, round after
// round; the prefix; the suffix; the shown candidate. Without a usable "[main]" the sentence
// is empty and the candidates stay as they were.
void buildQuestion(ImagePracticeState& image, RandomGenerator& random);

}  // namespace tavori
