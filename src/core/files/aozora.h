// Aozora Bunko texts: recognising one by its own markers and cleaning its markup for reading.
#pragma once

#include <string>
#include <string_view>

namespace tavori {

// True when the Shift-JIS text carries the format's notation block (a rule line of hyphens,
// the line 【テキスト中に現れる記号について】, ..., a closing rule line) or its closing
// bibliography (a line starting with 底本：).
bool looksLikeAozoraBunko(std::string_view shiftJis);

// Removes ruby readings 《…》 with their start mark ｜, notes ［＃…］ (※［＃…］, a character
// outside the character set, becomes 〓), the notation block and everything from the 底本：
// line on. A line that only the clean-up emptied goes with its line end; every other byte and
// line end stays where it was. A text that does not look like Aozora Bunko comes back as is.
std::string cleanAozoraBunkoText(std::string_view shiftJis);

}  // namespace tavori
