// Cutting a copy to both surfaces in 64-bit arithmetic, so no coordinate a caller gives overflows.
#include "gfx/copy_clip.h"

#include <algorithm>
#include <cstdint>

namespace tavori {

namespace {

struct Span {
    std::int64_t source;
    std::int64_t destination;
    std::int64_t length;
};

// One axis: skip what lies before either start, then cut what runs past either end.
Span clipAxis(std::int64_t source, std::int64_t destination, std::int64_t length, std::int64_t sourceSize,
              std::int64_t destinationSize) {
    const std::int64_t skip = std::max({std::int64_t{0}, -source, -destination});
    source += skip;
    destination += skip;
    length = std::min({length - skip, sourceSize - source, destinationSize - destination});
    return Span{source, destination, length};
}

}  // namespace

std::optional<CopyRect> clipCopy(CopyRect copy, int sourceWidth, int sourceHeight, int destinationWidth,
                                 int destinationHeight) {
    const Span across = clipAxis(copy.sourceX, copy.destinationX, copy.width, sourceWidth, destinationWidth);
    const Span down = clipAxis(copy.sourceY, copy.destinationY, copy.height, sourceHeight, destinationHeight);
    if (across.length <= 0 || down.length <= 0) {
        return std::nullopt;
    }
    // Every value now lies within the surfaces' own int sizes.
    return CopyRect{static_cast<int>(across.source), static_cast<int>(down.source),
                    static_cast<int>(across.length), static_cast<int>(down.length),
                    static_cast<int>(across.destination), static_cast<int>(down.destination)};
}

}  // namespace tavori
