// A canvas over a QImage at the screen's device pixel ratio: fills, lines and copies on whole
// device-pixel blocks, text glyphs rendered at device resolution into the core's cell geometry
// and kept in a cache (a run drawn again copies only the characters that differ from what shows
// there), and the region drawn since the last present.
#pragma once

#include <QFont>
#include <QImage>
#include <QRegion>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "glyph_cache.h"
#include "gfx/pixel_canvas.h"

namespace tavori::qt {

class QtCanvas : public PixelCanvas {
public:
    // `size` in logical pixels; `ratio` device pixels per logical pixel.
    QtCanvas(QSize size, QFont font, double ratio = 1.0);

    // A new size and ratio; the picture starts black.
    void resize(QSize size, double ratio);
    void resize(QSize size) { resize(size, ratio()); }
    // A new ratio keeping the picture, scaled to the new resolution.
    void rescale(double ratio);
    // The device pixels, with the ratio set so that Qt paints them one to one.
    const QImage& image() const { return image_; }

    void text(int x, int y, std::string_view bytes, int cellHeight, int charWidth,
              Colour foreground, Colour background) override;
    void blit(const Canvas& source, int sourceX, int sourceY, int width, int height, int destinationX,
              int destinationY) override;

    // The logical region whose pixels differ from those at the last call, and a fresh start.
    QRegion takeDrawnRegion();
    const GlyphCache& glyphCache() const { return glyphs_; }
    // Zero entries renders every glyph afresh.
    void setGlyphCacheLimits(std::size_t entries, std::size_t bytes);

protected:
    void changed(int left, int top, int right, int bottom) override;

private:
    void attachImage(double ratio);
    QImage renderCell(const QString& glyph, int deviceWidth, int deviceHeight, Colour foreground,
                      Colour background) const;
    // Brings the last presented picture up to date inside `rect`; true when it differed.
    bool refreshPresented(const QRect& rect);
    void copyToPresented(const QRect& rect);
    // Runs `action(now, shown, rowBytes)` over each device row of `rect` in the picture and in
    // the last presented one.
    template <typename RowAction>
    void forEachPresentedRow(const QRect& rect, RowAction action);
    // Copies the visible part of `cell` to device (left, top).
    void copyCell(const GlyphCell& cell, int left, int top);

    // A text run that still shows whole where it was drawn.
    struct ShownRun {
        int x;
        int y;
        int cellHeight;
        int charWidth;
        Colour foreground;
        Colour background;
        std::string bytes;
        QRect area;  // its cells' logical pixels on the picture
    };
    // The bytes of the run shown at `place`'s position in its cells, forgotten there (empty
    // when none shows).
    std::string takeShownRun(const ShownRun& place);
    // A copy from another canvas that still shows whole where it was made.
    struct ShownCopy {
        std::uint64_t source;          // the source canvas's identity
        std::uint64_t sourceDrawings;  // and its count of drawings at the copy
        std::array<int, 6> geometry;   // the copy's arguments
        QRect area;                    // the destination rectangle on the picture
    };
    // The earlier design, which renders every glyph afresh, remembers nothing of what shows.
    bool remembersShown() const { return glyphs_.keepsAny(); }
    void forgetShown();

    QImage image_;
    QFont font_;
    double lineHeightAt100_;  // the font's ascent + descent at a pixel size of 100
    GlyphCache glyphs_;
    QRegion drawn_;
    // Whether a drawing since the last present changed pixels already changed since then.
    bool overdrawn_ = false;
    // What the screen was last given, to present only pixels that really differ from it, and
    // where that copy was not kept up to date.
    QImage presented_;
    QRegion stale_;
    std::vector<ShownRun> shownRuns_;
    std::vector<ShownCopy> shownCopies_;
    // Which canvas this is, for as long as the program runs, and how many drawings changed it.
    const std::uint64_t identity_;
    std::uint64_t drawings_ = 0;
};

}  // namespace tavori::qt
