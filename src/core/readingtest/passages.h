// The passages a reading test is taken on: the bundled ones by level, and an excerpt of the
// reader's own text from their place in it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform.h"

namespace tavori {

// やさしい, ふつう, むずかしい; 0 is the reader's own text.
inline constexpr int kTestLevels = 3;
inline constexpr int kOwnTextLevel = 0;
// The level's name as the screens and the report show it (UTF-8).
std::string_view testLevelName(int level);

// A passage to read: its title (UTF-8) and its text (Shift-JIS with CR LF line ends, as a
// reading text is loaded, followed by the loaders' zero padding).
struct TestPassage {
    std::string title;
    std::vector<char> text;
    bool empty() const { return text.empty() || text.front() == '\0'; }
};

// The two bundled passages of a level (1..3), `which` 0 or 1, from the folder "passages" beside
// the program: its first line is the title, the rest (after blank lines) the passage. A missing
// or unreadable file gives an empty passage.
TestPassage loadBundledPassage(Platform& platform, int level, int which);

// About `characters` characters of a text from `from` on (line ends not counted), ending after
// the first sentence end (。！？ and closing marks after it) or line end once that many are
// taken, or at the text's end. `text` is up to its end.
std::string excerptFrom(std::string_view text, std::size_t from, int characters);

// A text as a passage: the excerpt's bytes followed by zero padding.
std::vector<char> passageText(std::string_view shiftJis);

}  // namespace tavori
