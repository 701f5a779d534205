// A front end's picture against the raster canvas's after the same drawing calls.
#pragma once

#include <functional>
#include <string>

#include "support/raster_canvas.h"

namespace tavori::testing {

// How the picture `shown` reads differs from `raster`'s ("" when it does not): outside the text
// cells logged since the runs were last cleared every pixel is the raster's, and a cell shows ink
// exactly when the last character drawn there is a visible one the raster still marks (a cell the
// canvas's edge cuts: any).
std::string differenceFromRaster(const RasterCanvas& raster, const std::function<Colour(int, int)>& shown);

}  // namespace tavori::testing
