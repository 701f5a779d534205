// Groups of joined tiles: joining, laying a group out in picture order, snapping to neighbours.
#pragma once

#include <cstdint>

#include "puzzle/puzzle_state.h"

namespace tavori {

// Every tile whose group is `oldId` gets `newId`.
void joinGroup(TileTable& tiles, std::int32_t oldId, std::int32_t newId);

// Places every tile of the grabbed tile's group around the grabbed tile as in the picture:
// (c − grabbedColumn) × width across, (r − grabbedRow) × height down. The grabbed tile stays.
void layOutGroup(TileTable& tiles, int grabbedColumn, int grabbedRow);

// The release's scan: every tile of `group`, in paint order and including tiles that joined
// earlier in the same scan, is checked against its left, upper, right and lower neighbour in
// the picture; a neighbour of another group close enough pulls the tile beside it and its
// group joins `group`. Edges may overlap by up to 100 px or stand 50 px apart, and the tiles
// may be offset across by up to 50 px, all bounds inclusive.
void snapGroupToNeighbours(TileTable& tiles, std::int32_t group);

// The tiles joined to at least one other.
int joinedTileCount(const TileTable& tiles);

}  // namespace tavori
