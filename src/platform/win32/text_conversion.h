// Conversions between UTF-8, UTF-16 (the wide Windows API) and code page 932 (Shift-JIS).
#pragma once

#include <string>
#include <string_view>

namespace tavori::win32 {

// UTF-8 to UTF-16; malformed sequences become U+FFFD.
std::wstring utf8ToWide(std::string_view utf8);

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string wideToUtf8(std::wstring_view wide);

// One Shift-JIS character (one byte, or a lead byte with its trail) as one UTF-16 unit, so
// that a drawn run keeps one glyph per character cell. Bytes that code page 932 does not map
// come out as the system's default character for that code page.
wchar_t cp932CharacterToWide(std::string_view character);

}  // namespace tavori::win32
