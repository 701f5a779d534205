// Glyph cells asked of the page's renderer, and the drawn rectangles handed to the <canvas> at a
// present.
#include "web_canvas.h"

#include <memory>

#include "page_imports.h"

namespace tavori::web {

namespace {

class PageGlyphRenderer : public GlyphRenderer {
public:
    // The bytes R, G, B, 255 of an ImageData, which the page puts on its canvas as they are.
    PixelFormat format() const override { return PixelFormat::Rgba; }
    void render(const GlyphRequest& request, std::uint32_t* out) override {
        tavoriPageRenderGlyph(request.code, request.width, request.height,
                              encodePixel(PixelFormat::Rgba, request.foreground),
                              encodePixel(PixelFormat::Rgba, request.background), static_cast<int>(request.form),
                              request.shift, out);
    }
};

}  // namespace

WebCanvas::WebCanvas(int width, int height, double ratio)
    : GlyphCellCanvas(width, height, ratio, std::make_unique<PageGlyphRenderer>()) {}

void WebCanvas::present() {
    for (const DrawnRect& rect : takeDrawnRectangles()) {
        const int left = deviceEdge(rect.left);
        const int top = deviceEdge(rect.top);
        tavoriPagePresent(devicePixels(), deviceWidth(), deviceHeight(), left, top, deviceEdge(rect.right) - left,
                          deviceEdge(rect.bottom) - top);
    }
}

}  // namespace tavori::web
