// The exercise the window shows; the shell's currentMode holds one of these.
#pragma once

#include <cstdint>

namespace tavori {

enum class Mode : std::int32_t {
    ImagePractice = 1,
    SpeedReading = 2,
    Maze = 3,
    Puzzle = 4,
    ReadingTest = 5,  // the reader's own speed and comprehension on a passage
};

}  // namespace tavori
