// What a canvas already shows, kept in front of it so that drawing which would change nothing
// never reaches the platform.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/canvas.h"

namespace tavori {

// A canvas that passes drawings on to `target` and remembers the last step that drew (the
// drawing of one event, up to settle()). A step that repeats it exactly passes nothing on:
// every drawing is opaque and independent of what it covers, so the same drawings again in
// the same order leave every pixel as it was. That is the answer phase's rows and frames and
// the puzzle's fifteen tiles (overlapping ones too) at every tick. Its only assumption is that
// nothing else draws on the target; the platform says when something did (an erase, a new
// size or resolution) with forget().
class ScreenMemory final : public Canvas {
public:
    // With `remembers` false every drawing is passed on as it comes, as if there were no memory.
    explicit ScreenMemory(Canvas& target, bool remembers = true);
    ScreenMemory(const ScreenMemory&) = delete;
    ScreenMemory& operator=(const ScreenMemory&) = delete;

    void fillRect(int left, int top, int right, int bottom, Colour colour) override;
    void line(int x1, int y1, int x2, int y2, Colour colour) override;
    void text(int x, int y, std::string_view bytes, int cellHeight, int charWidth, Colour foreground,
              Colour background) override;
    void verticalText(int x, int y, std::string_view bytes, int cellSize, Colour foreground,
                      Colour background) override;
    // A copy from another memory reads that memory's target, and is remembered by that memory's
    // address and count of drawings: the two must live as long as each other.
    void blit(const Canvas& source, int sourceX, int sourceY, int width, int height, int destinationX,
              int destinationY) override;

    // The end of a step: whatever it held back reaches the target, unless the step repeated the
    // last one whole. Until then the target may show the last step where this one differs.
    void settle();
    // Something other than this memory changed the target: nothing is known to show any more.
    void forget();

private:
    struct Drawing {
        enum class Kind : std::uint8_t { Fill, Line, Text, VerticalText, Copy };
        Kind kind;
        // fill: left, top, right, bottom; line: x1, y1, x2, y2; text: x, y, cellHeight,
        // charWidth; vertical text: x, y, cellSize; copy: sourceX, sourceY, width, height,
        // destinationX, destinationY.
        std::array<int, 6> numbers;
        Colour colour = 0;  // the fill's, the line's, the text's foreground
        Colour background = 0;
        std::string bytes;
        const Canvas* source = nullptr;
        std::uint64_t sourceDrawings = 0;

        bool operator==(const Drawing&) const = default;
    };
    void draw(Drawing drawing);
    // Passes on the drawings held back so far in this step: it no longer repeats the last one.
    void passOnHeldBack();
    void passOn(const Drawing& drawing);
    // This target is about to change: copies from it that others hold back must be made first,
    // from what it shows now.
    void beforeChange();

    Canvas& target_;
    const bool remembers_;
    // Drawings passed on to the target, and so the version of what a copy from here reads.
    std::uint64_t drawingsPassedOn_ = 0;
    // The latest step that drew, whose drawings the target shows as its latest (none when
    // nothing is known), and this step's drawings so far.
    std::vector<Drawing> lastStep_;
    std::vector<Drawing> thisStep_;
    // Whether every drawing of this step so far has been the last step's drawing at its place,
    // held back rather than passed on.
    bool repeating_ = true;
    // The memories holding back a copy from this one.
    std::vector<ScreenMemory*> copiers_;
};

}  // namespace tavori
