// What the C++ side of the page asks of its script (page_imports.js): glyphs in the bundled
// font, the picture on the <canvas>, the browser's storage, clock and tabs.
#pragma once

#include <cstdint>

extern "C" {

// Renders the glyph of Shift-JIS `code` (one byte, or lead × 256 + trail) filling a cell of
// width × height device pixels in `form` (gfx/vertical_cells.h), moved `shift` pixels right
// and up, over `background`; writes width × height RGBA pixels to `out`.
void tavoriPageRenderGlyph(int code, int width, int height, std::uint32_t foreground,
                           std::uint32_t background, int form, int shift, std::uint32_t* out);
// Puts device rectangle (x, y, w, h) of the picture (deviceWidth × deviceHeight RGBA pixels)
// on the <canvas>.
void tavoriPagePresent(const std::uint32_t* pixels, int deviceWidth, int deviceHeight, int x, int y,
                       int w, int h);
// Opens a document beside the page, a stored file or an address in a new tab.
void tavoriPageOpenWithShell(const char* target, int length, int ownedByWindow);
// The browser's storage for this page: the stored file's bytes, malloc'ed, or null when it is
// missing or longer than `limit`.
char* tavoriPageReadStored(const char* name, int nameLength, double limit, int* outLength);
int tavoriPageWriteStored(const char* name, int nameLength, const char* bytes, int length);
// Milliseconds of performance.now(), and the local date and time as six ints (year … second).
double tavoriPageNow();
void tavoriPageLocalTime(int* fields);

}
