// Speed-reading practice: the reading text and its paging, one page per display time.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/context.h"

namespace tavori {

// Size of each start-up buffer: the empty texts the program has before anything is loaded.
inline constexpr std::size_t kStartUpBufferSize = 65584;

struct ReadingState {
    std::vector<char> readingText = std::vector<char>(kStartUpBufferSize, '\0');
    std::int32_t readingPosition = 0;
    std::int32_t linesPerScreen = 1;  // 1..16
    std::int32_t bytesPerLine = 32;   // 32 or 16
    std::int32_t pageTickCount = 0;
    std::string readingFileName;      // the dialog's name buffer, kept between uses
};

// The most rows a page holds, and the bytes of one row: columns 0..31 of text (a double-byte
// character begun at column 15 of a 16-byte row reaches column 16), the space drawn at column
// 32, and the NUL at 33 that ends a full row.
inline constexpr int kPageRowCount = 16;
inline constexpr int kPageRowBytes = 34;
using PageRow = std::array<char, kPageRowBytes>;
using PageRows = std::array<PageRow, kPageRowCount>;

// Makes the named file the reading text (an unloadable file gives the empty text);
// readingPosition is left as it is.
void loadReadingText(ReadingState& reading, Platform& platform, const std::string& fileName);

// Fills `rows` with the next page from readingPosition and moves readingPosition past it, or
// back to 0 when the page meets the end of the text. Each row is a NUL-terminated string.
void buildReadingPage(ReadingState& reading, PageRows& rows);

// Draws rows 0..linesPerScreen − 1 centred in the client area, white on black, 40 px apart.
void drawReadingPage(const ReadingState& reading, PageRows& rows, Context& context);

// One step: counts up to displayTicks, then draws the next page.
void stepSpeedReading(ReadingState& reading, Context& context);

}  // namespace tavori
