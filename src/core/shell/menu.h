// The menu bar as data: seven pop-ups with their command ids and exact labels (UTF-8).
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace tavori {

// Command ids of the menu items.
namespace CommandId {
inline constexpr int Quit = 500;
inline constexpr int DisplayTimeFirst = 251;   // "０．１秒"; 251..260 are 0.1 s .. 1.0 s
inline constexpr int DisplayTimeLast = 264;    // "５．０秒"; 261..264 are 2, 3, 4, 5 s
inline constexpr int LoadReadingText = 720;
inline constexpr int LinesFirst = 721;         // "　１行表示"; 721..736 are 1..16 rows
inline constexpr int LinesLast = 736;
inline constexpr int Puzzle = 737;
inline constexpr int EightCharacters = 738;
inline constexpr int SixteenCharacters = 739;
inline constexpr int Help = 800;
inline constexpr int LoadTemplate = 851;
inline constexpr int MazeSmall = 202;
inline constexpr int MazeLarge = 703;
}  // namespace CommandId

struct MenuItem {
    int id;
    std::string_view label;
};

struct Popup {
    std::string_view label;
    std::span<const MenuItem> items;
};

// Left to right, as the front ends build the menu bar. One-digit labels are padded with the
// ideographic space U+3000 so the columns line up.
std::span<const Popup> menuBarTable();

}  // namespace tavori
