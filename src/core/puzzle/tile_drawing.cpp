// One copy per tile, row by row and column by column within a row, so later tiles land on top.
#include "puzzle/tile_drawing.h"

namespace tavori {

void copyBox(Canvas& destination, const Canvas& source, int sourceX, int sourceY, int width,
             int height, int destinationX, int destinationY) {
    destination.blit(source, sourceX, sourceY, width, height, destinationX, destinationY);
}

void drawTiles(Canvas& destination, const Canvas& workBitmap, const TileTable& tiles) {
    for (int row = 0; row < kTileRows; ++row) {
        for (int column = 0; column < kTileColumns; ++column) {
            const Tile& tile = tiles[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
            // width and height serve for both rectangles; the bitmap's rows 300..399 are
            // never reached.
            copyBox(destination, workBitmap, tile.srcX, tile.srcY, tile.width, tile.height,
                    tile.x, tile.y);
        }
    }
}

}  // namespace tavori
