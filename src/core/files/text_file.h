// Loads a text file for the exercises: one pipeline from the file's encoding and line ends to
// the program's own CP932 text with CR LF, and for reading texts the Aozora Bunko clean-up.
#pragma once

#include <string>
#include <string_view>

#include "files/files.h"

namespace tavori {

// Reading texts are also cleaned of Aozora Bunko markup; templates and pa.dat are data.
enum class TextKind { Data, Reading };

// True when the bytes begin with the UTF-8 byte-order mark, or are well-formed UTF-8 holding
// at least one three- or four-byte sequence. ASCII and Shift-JIS text (half-width katakana
// included) are not.
bool looksLikeUtf8(std::string_view bytes);

// Each lone LF becomes CR LF; a lone CR and a CR or LF that is a double-byte character's second
// byte stay as they are.
std::string withCrLfLineEnds(std::string_view shiftJis);

// A file's bytes as the program's text: UTF-16 (by its mark) and UTF-8 are converted to CP932,
// a character CP932 lacks becoming "?", and every other file is taken as Shift-JIS; then the
// line ends above; then, for a reading text in Aozora Bunko's format, its clean-up.
std::string programText(std::string_view fileBytes, TextKind kind);

// loadWholeFile, then programText; the content keeps its zero padding.
LoadedFile loadTextFile(Platform& platform, const std::string& path, TextKind kind = TextKind::Data);

}  // namespace tavori
