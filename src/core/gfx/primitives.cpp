// Each primitive as the Canvas calls that it makes: a text cut at its terminator and fitted to
// its box, a clear as one black fill, a frame as four lines.
#include "gfx/primitives.h"

namespace tavori {

int drawTextBox(Canvas& canvas, std::string_view text, int x, int y, int boxWidth, int boxHeight,
                Colour foreground, Colour background) {
    text = text.substr(0, text.find('\0'));
    if (text.empty()) {
        return 0;
    }
    const int byteLength = static_cast<int>(text.size());
    const int charWidth = fittedCharWidth(boxWidth, byteLength);
    canvas.text(x, y, text, boxHeight, charWidth, foreground, background);
    return charWidth > 0 ? byteLength * charWidth : 0;
}

void clearScreen(Canvas& canvas, std::int32_t clientWidth, std::int32_t clientHeight) {
    fillBox(canvas, 0, 0, clientWidth, clientHeight, kBlack);
}

void fillBox(Canvas& canvas, int left, int top, int right, int bottom, Colour colour) {
    canvas.fillRect(left, top, right, bottom, colour);
}

void drawLine(Canvas& canvas, int x1, int y1, int x2, int y2, Colour colour) {
    canvas.line(x1, y1, x2, y2, colour);
}

void drawFrame(Canvas& canvas, int left, int top, int right, int bottom, Colour colour) {
    drawLine(canvas, left, top, right, top, colour);
    drawLine(canvas, left, bottom, right, bottom, colour);
    drawLine(canvas, left, top, left, bottom, colour);
    drawLine(canvas, right, top, right, bottom, colour);
}

}  // namespace tavori
