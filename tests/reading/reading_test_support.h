// Reading states over a given text, and the rows of a built page as strings.
#pragma once

#include <cstring>
#include <string>
#include <string_view>

#include "files/files.h"
#include "reading/reading.h"

namespace tavori::testing {

// A reading state over `text` followed by the zero padding every loader leaves.
inline ReadingState readingOver(std::string_view text, int linesPerScreen, int bytesPerLine) {
    ReadingState reading;
    reading.readingText.assign(text.begin(), text.end());
    reading.readingText.resize(text.size() + static_cast<std::size_t>(kLoadPadding), '\0');
    reading.linesPerScreen = linesPerScreen;
    reading.bytesPerLine = bytesPerLine;
    return reading;
}

// A built row up to its first NUL.
inline std::string rowText(const PageRow& row) { return std::string(row.data(), strnlen(row.data(), row.size())); }

}  // namespace tavori::testing
