// MultiByteToWideChar and WideCharToMultiByte with counts held within int; a character beyond
// the Basic Multilingual Plane becomes one "?".
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

namespace {

// Code page 932 holds no character beyond the Basic Multilingual Plane; a surrogate pair is
// one such character and must become one "?", not one for each half.
std::wstring withOneUnitPerCharacter(std::wstring wide) {
    std::wstring result;
    result.reserve(wide.size());
    for (std::size_t index = 0; index < wide.size(); ++index) {
        const wchar_t unit = wide[index];
        if (unit >= 0xD800 && unit <= 0xDBFF && index + 1 < wide.size() && wide[index + 1] >= 0xDC00 &&
            wide[index + 1] <= 0xDFFF) {
            ++index;
            result.push_back(L'?');
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            result.push_back(L'?');
        } else {
            result.push_back(unit);
        }
    }
    return result;
}

}  // namespace

std::string utf8ToCp932(std::string_view utf8) {
    const std::wstring wide = withOneUnitPerCharacter(utf8ToWide(utf8));
    if (wide.empty()) {
        return {};
    }
    const int wideCount = clampedLength(wide.size());
    const int byteCount =
        WideCharToMultiByte(kShiftJisCodePage, 0, wide.data(), wideCount, nullptr, 0, "?", nullptr);
    if (byteCount <= 0) {
        return {};
    }
    std::string bytes(static_cast<std::size_t>(byteCount), '\0');
    WideCharToMultiByte(kShiftJisCodePage, 0, wide.data(), wideCount, bytes.data(), byteCount, "?", nullptr);
    return bytes;
}

wchar_t cp932CharacterToWide(std::string_view character) {
    wchar_t converted[2] = {L'?', L'\0'};
    const int count = MultiByteToWideChar(kShiftJisCodePage, 0, character.data(),
                                          clampedLength(character.size()), converted, 2);
    return count >= 1 ? converted[0] : L'?';
}

}  // namespace tavori::win32
