// Loads a text for the exercises, turning a UTF-8 file into the program's own CP932 form.
#pragma once

#include <string>
#include <string_view>

#include "files/files.h"

namespace tavori {

// True when the bytes begin with the UTF-8 byte-order mark, or are valid UTF-8 holding at
// least one multi-byte sequence. Plain ASCII and Shift-JIS text are not.
bool looksLikeUtf8(std::string_view bytes);

// UTF-8 to CP932 with CR LF line ends: the mark is dropped, a lone LF becomes CR LF, and a
// character CP932 cannot hold becomes "?".
std::string utf8ToProgramText(Platform& platform, std::string_view utf8);

// loadWholeFile, then the conversion above when the content looks like UTF-8; every other file
// is kept byte for byte.
LoadedFile loadTextFile(Platform& platform, const std::string& path);

}  // namespace tavori
