// Speed-reading practice: the reading text and its paging, one page per display time.
#pragma once

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

// Makes the named file the reading text (an unloadable file gives the empty text);
// readingPosition is left as it is.
void loadReadingText(ReadingState& reading, Platform& platform, const std::string& fileName);

// One step: counts up to displayTicks, then draws the next page.
void stepSpeedReading(ReadingState& reading, Context& context);

}  // namespace tavori
