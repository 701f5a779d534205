// Carving a perfect maze into wallGrid: the reset, the random walks and the random hunt.
#pragma once

#include <cstdint>

#include "common/random.h"
#include "maze/maze_state.h"

namespace tavori {

// Every wall present and every cell unjoined, except the border frame, which counts as joined
// so that no walk enters it.
void resetMaze(MazeState& maze);

// A random walk from the joined cell (x, y): one draw per try, carving into unvisited
// neighbours, until the current cell has none left. Returns the number of cells it joined.
std::int32_t carveWalk(MazeState& maze, RandomGenerator& random, std::int32_t x, std::int32_t y);

// Opens the entrance and the exit and carves until every maze cell is joined. Needs resetMaze
// just before.
void generateMaze(MazeState& maze, RandomGenerator& random);

}  // namespace tavori
