// The route through a carved maze and the choice of its targets.
#pragma once

#include <cstdint>

#include "common/random.h"
#include "maze/maze_state.h"

namespace tavori {

// Attempts to choose targets before a maze is given up.
inline constexpr std::int32_t kMaxTargetAttempts = 1000;

// Derives openGrid, trailGrid and pathGrid from wallGrid (clearing every mark), finds the route
// with a right-hand wall follower, and tries up to kMaxTargetAttempts sets of mazeWidth targets
// for one with exactly three on the route. Sets mazeAccepted.
void solveAndPlaceTargets(MazeState& maze, RandomGenerator& random);

}  // namespace tavori
