// A built page drawn in columns (縦書き): row 0 the rightmost column, each column read top to
// bottom in square cells, the page centred in the exercise area.
#pragma once

#include <cstdint>

#include "common/context.h"
#include "reading/reading.h"

namespace tavori {

struct VerticalPageLayout {
    int cellSize;      // a full-width character's square cell; always even
    int spacing;       // from one column's left edge to the next one's
    int columnLength;  // the box each column blanks: the longest row a page can build
    int firstColumnX;  // the left edge of row 0's column, the rightmost
    int top;
};

// The cell is the one that makes a full column as long as a row's box, two half cells for each
// byte of the box's width (boxWidth ÷ bytesPerLine, remainder dropped: 31 px at both widths, so
// 62 px cells); it is made smaller, a half cell at a time, until a column with a cell's margin
// above and below fits the height, and the columns with a cell's margin either side fit the
// width (down to cells of 2 px, which a window too small for them overflows). The columns are
// 1¼ cells apart, rounded to the nearest pixel with halves up. The page is centred as a row
// is: half the area less half the page, each half with its remainder dropped.
VerticalPageLayout verticalPageLayout(const ReadingState& reading, std::int32_t clientWidth,
                                      std::int32_t clientHeight);

// Draws rows 0..linesPerScreen − 1 as columns, white on black, each over its whole box: a
// column's cells are opaque and the box below them is blacked, so no glyph of an earlier page,
// in either direction, is left inside it. The spaces that pad a row after its line end are left
// to that black.
void drawVerticalPage(const ReadingState& reading, const PageRows& rows, Context& context);

}  // namespace tavori
