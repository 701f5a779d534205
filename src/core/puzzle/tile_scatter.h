// Placing the fifteen tiles at random over the client area, each in a group of its own.
#pragma once

#include <cstdint>

#include "common/random.h"
#include "puzzle/puzzle_state.h"

namespace tavori {

// Row by row, column by column: x := a draw modulo (clientWidth − 100), then y := a draw
// modulo (clientHeight − 100). An axis of 100 px or less puts the tiles at 0 on it and still
// takes its draw, so the sequence of draws never depends on the window's size.
void scatterTiles(TileTable& tiles, RandomGenerator& random, std::int32_t clientWidth,
                  std::int32_t clientHeight);

}  // namespace tavori
