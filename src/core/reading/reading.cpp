// Speed-reading practice: the reading text and its paging, one page per display time.
#include "reading/reading.h"

#include "files/text_file.h"

namespace tavori {

void loadReadingText(ReadingState& reading, Platform& platform, const std::string& fileName) {
    LoadedFile loaded = loadTextFile(platform, fileName);
    if (loaded.size < 0) {
        // Unloadable: the empty text, zero bytes with room to read past the terminator.
        reading.readingText.assign(static_cast<std::size_t>(kLoadPadding), '\0');
    } else {
        reading.readingText = std::move(loaded.block);
    }
}

void stepSpeedReading(ReadingState& /*reading*/, Context& /*context*/) {}

}  // namespace tavori
