// Copying the tiles from the work bitmap onto a canvas in paint order.
#pragma once

#include "common/canvas.h"
#include "puzzle/puzzle_state.h"

namespace tavori {

// A plain copy of width × height pixels from (sourceX, sourceY) of `source` to
// (destinationX, destinationY) of `destination`.
void copyBox(Canvas& destination, const Canvas& source, int sourceX, int sourceY, int width,
             int height, int destinationX, int destinationY);

// Row by row, column by column, so where tiles overlap the later one is on top.
void drawTiles(Canvas& destination, const Canvas& workBitmap, const TileTable& tiles);

}  // namespace tavori
