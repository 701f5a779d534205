// The reading test's screens: lines of text centred on black, and the question on the
// three-row answer screen (a prompt row and three framed choice rows, 1000 px wide).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/context.h"
#include "readingtest/question_maker.h"

namespace tavori {

// Clears the area and draws the lines (UTF-8) centred, 40 px apart, every line in glyphs of
// one size: the longest line's, at most a 32-byte row's.
void drawMessageScreen(Context& context, const std::vector<std::string>& lines);

// Clears the area and draws the heading (UTF-8) above the prompt row and the three choices in
// framed rows; once answered, the right row's frame is white and the chosen wrong one's red.
void drawQuestionScreen(Context& context, const std::string& heading, const TestQuestion& question, int chosenRow);

// The choice row (0..2) strictly inside which (x, y) lies, if any.
std::optional<int> choiceRowAt(const ShellState& shell, int x, int y);

}  // namespace tavori
