// The question screen: the framed sentence row and three answer rows, steps and clicks.
#pragma once

#include <string_view>

namespace tavori {

// Row geometry: each row is a 600 × 32 box, framed 2 pixels outside it.
inline constexpr int kRowWidth = 600;
inline constexpr int kRowHeight = 32;
inline constexpr int kSentenceRowOffset = -100;   // sentence row top, from the window's middle
inline constexpr int kAnswerRowSpacing = 50;      // answer row r (0..2) top is middle + 50 r
inline constexpr int kFrameMargin = 2;

// 1 when a and b are equal byte for byte, -1 when a is a proper prefix of b, 0 otherwise.
int compareText(std::string_view a, std::string_view b);

}  // namespace tavori
