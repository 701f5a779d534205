// The puzzle: a sentence painted into fifteen tiles, scattered, dragged and snapped together.
#include "puzzle/puzzle.h"

namespace tavori {

void stepPuzzle(PuzzleState& /*puzzle*/, Context& /*context*/) {}
void grabTile(PuzzleState& /*puzzle*/, Context& /*context*/, int /*x*/, int /*y*/) {}
void dragTile(PuzzleState& /*puzzle*/, Context& /*context*/, int /*x*/, int /*y*/) {}
void dropTile(PuzzleState& /*puzzle*/, Context& /*context*/, int /*x*/, int /*y*/) {}

}  // namespace tavori
