// The core's glyph-cell canvas with glyphs rendered by the page in the bundled font, its buffer in
// the byte order of a browser's ImageData, and the drawn rectangles put on the page's <canvas>.
#pragma once

#include "gfx/glyph_cell_canvas.h"

namespace tavori::web {

class WebCanvas : public GlyphCellCanvas {
public:
    // `width` × `height` logical pixels at `ratio` device pixels each; the picture starts black.
    WebCanvas(int width, int height, double ratio);

    // Puts what was drawn since the last present on the page's <canvas>.
    void present();
};

}  // namespace tavori::web
