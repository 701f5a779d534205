// MultiByteToWideChar and WideCharToMultiByte with counts held within int.
#include "text_conversion.h"

#include <windows.h>

#include <climits>

namespace tavori::win32 {

namespace {

constexpr UINT kShiftJisCodePage = 932;

// The conversion calls count in int. The texts here (paths, labels, drawn rows) are far
// shorter; a longer one is cut at INT_MAX rather than let the count overflow.
int clampedLength(std::size_t length) {
    return length > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(length);
}

std::wstring multiByteToWide(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int byteCount = clampedLength(bytes.size());
    const int wideCount = MultiByteToWideChar(codePage, 0, bytes.data(), byteCount, nullptr, 0);
    if (wideCount <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(wideCount), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), byteCount, wide.data(), wideCount);
    return wide;
}

}  // namespace

std::wstring utf8ToWide(std::string_view utf8) { return multiByteToWide(CP_UTF8, utf8); }

std::string wideToUtf8(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int wideCount = clampedLength(wide.size());
    const int byteCount = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideCount, nullptr, 0, nullptr, nullptr);
    if (byteCount <= 0) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(byteCount), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideCount, utf8.data(), byteCount, nullptr, nullptr);
    return utf8;
}

wchar_t cp932CharacterToWide(std::string_view character) {
    wchar_t converted[2] = {L'?', L'\0'};
    const int count = MultiByteToWideChar(kShiftJisCodePage, 0, character.data(),
                                          clampedLength(character.size()), converted, 2);
    return count >= 1 ? converted[0] : L'?';
}

}  // namespace tavori::win32
