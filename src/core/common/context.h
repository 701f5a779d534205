// What every exercise routine is given: the platform, the one generator and the shell's state.
#pragma once

#include <cstdint>

#include "common/mode.h"
#include "common/platform.h"
#include "common/random.h"

namespace tavori {

// The shell's settings that the exercises read (and the maze repaint refreshes).
struct ShellState {
    Mode currentMode = Mode::ImagePractice;
    std::int32_t displayTicks = 5;  // display time in 100 ms ticks
    std::int32_t clientWidth = 0;   // client area as last read; layouts are computed from it
    std::int32_t clientHeight = 0;
};

struct Context {
    Platform& platform;
    RandomGenerator& random;
    ShellState& shell;
};

}  // namespace tavori
