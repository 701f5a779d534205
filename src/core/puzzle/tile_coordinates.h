// Why tile positions fit in plain int, and the inclusive range test the hit and snap rules use.
#pragma once

namespace tavori {

// Pointers reach the puzzle held to ±2^24 (common/input_bounds.h). A grabbed tile lands within
// a tile's size of the pointer, the rest of its group within the picture's size of it, and a
// snap moves a tile next to a neighbour: every position stays within ±(2^24 + 1000), so every
// sum of a position and a few tile sizes fits in int.

// low <= value <= high.
constexpr bool inclusiveBetween(int low, int value, int high) { return low <= value && value <= high; }

}  // namespace tavori
