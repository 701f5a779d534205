// Builds one question from the template: the sentence to flash and its three answer candidates.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/random.h"
#include "imagepractice/image_practice.h"

namespace tavori {

// A choice text that cannot give three different results is tried this many times; the
// question then goes on with the last three, equal ones included.
inline constexpr std::int32_t kMaxChoiceRounds = 1000;

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
