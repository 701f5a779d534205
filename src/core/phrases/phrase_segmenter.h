// Phrase (文節) boundaries of Shift-JIS text, found with BudouX's Japanese model.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace tavori {

// Byte offsets where the phrases of `text` begin, increasing, each at a character start: 0 for
// any text but the empty one, the first character of every line, and inside each line the
// boundaries BudouX's parser gives for that line as its sentence (a phrase never runs from
// one line into the next). CR and LF end a line and belong to the phrase before them.
std::vector<std::size_t> phraseStarts(std::string_view text);

}  // namespace tavori
