// Clips a rectangle copy between two surfaces, moving its source and destination together.
#pragma once

#include <optional>

namespace tavori {

struct CopyRect {
    int sourceX;
    int sourceY;
    int width;
    int height;
    int destinationX;
    int destinationY;
};

// The part of `copy` that lies inside the source (sourceWidth × sourceHeight) and the
// destination (destinationWidth × destinationHeight), or nothing when no pixel does.
// Computed in 64 bits, so any int coordinates are safe.
std::optional<CopyRect> clipCopy(CopyRect copy, int sourceWidth, int sourceHeight, int destinationWidth,
                                 int destinationHeight);

}  // namespace tavori
