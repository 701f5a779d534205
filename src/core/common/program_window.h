// What every front end's window shares: its title and the size of the off-screen work bitmap.
#pragma once

#include <string_view>

namespace tavori {

// UTF-8; each front end converts it to its own string type.
inline constexpr std::string_view kWindowTitle = "タボリで速読補助";

// The bitmap the puzzle's picture is built in before its tiles are cut from it.
inline constexpr int kWorkBitmapWidth = 500;
inline constexpr int kWorkBitmapHeight = 400;

}  // namespace tavori
