// The puzzle's entry points for the shell: the step, and press, move and release in the mode.
#pragma once

#include <cstdint>

#include "common/context.h"
#include "puzzle/puzzle_state.h"

namespace tavori {

// Set-up while it is due (nothing drawn); at every later step all tiles are drawn
// over whatever the window shows.
void stepPuzzle(PuzzleState& puzzle, Context& context);
// Whether a step now only draws the tiles again where they are and counts itself (after
// set-up), and what `count` such steps do.
bool puzzleStepRepeats(const PuzzleState& puzzle);
void passPuzzleSteps(PuzzleState& puzzle, std::int64_t count);

// Hit test in paint order; the first (lowest) tile under the pointer is grabbed. Draws nothing.
void grabTile(PuzzleState& puzzle, Context& context, int x, int y);

// Carries the grabbed tile's group with the pointer and repaints the client area.
void dragTile(PuzzleState& puzzle, Context& context, int x, int y);

// Snaps the grabbed group to its true neighbours, joins them and repaints. The release
// position plays no part: the group lies where the last move left it.
void dropTile(PuzzleState& puzzle, Context& context, int x, int y);

}  // namespace tavori
