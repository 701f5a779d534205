// What every exercise routine is given: the platform, the one generator, the shell's state and
// the canvases it draws on.
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
    // Speed reading's pace in 文字/分, each page up for its own characters; 0: seconds per page.
    std::int32_t pacePerMinute = 0;
};

struct Context {
    // Drawing straight on the platform's canvases.
    Context(Platform& system, RandomGenerator& generator, ShellState& shellState)
        : Context(system, generator, shellState, system.windowCanvas(), system.workBitmap()) {}
    Context(Platform& system, RandomGenerator& generator, ShellState& shellState, Canvas& windowCanvas,
            Canvas& workCanvas)
        : platform(system), random(generator), shell(shellState), window(windowCanvas), workBitmap(workCanvas) {}

    Platform& platform;
    RandomGenerator& random;
    ShellState& shell;
    // The window's client area and the 500 × 400 off-screen work bitmap: everything an
    // exercise draws goes to these, never to the platform's own.
    Canvas& window;
    Canvas& workBitmap;
};

}  // namespace tavori
