// Loads a text for the exercises, turning a UTF-8 file into the program's own CP932 form.
#include "files/text_file.h"

#include <algorithm>
#include <limits>
#include <new>

namespace tavori {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Length of the UTF-8 sequence starting at `index`, or 0 when it is not well formed
// (overlong forms, surrogates and values past U+10FFFF included).
std::size_t utf8SequenceLength(std::string_view bytes, std::size_t index) {
    const auto byteAt = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
    const unsigned char lead = byteAt(index);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (index + length > bytes.size()) {
        return 0;
    }
    for (std::size_t offset = 1; offset < length; ++offset) {
        const unsigned char next = byteAt(index + offset);
        const unsigned char lowest = offset == 1 ? low : 0x80;
        const unsigned char highest = offset == 1 ? high : 0xBF;
        if (next < lowest || next > highest) {
            return 0;
        }
    }
    return length;
}

}  // namespace

bool looksLikeUtf8(std::string_view bytes) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        return true;
    }
    bool multiByteSeen = false;
    for (std::size_t index = 0; index < bytes.size();) {
        const std::size_t length = utf8SequenceLength(bytes, index);
        if (length == 0) {
            return false;
        }
        multiByteSeen = multiByteSeen || length > 1;
        index += length;
    }
    return multiByteSeen;
}

std::string utf8ToProgramText(Platform& platform, std::string_view utf8) {
    if (utf8.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        utf8.remove_prefix(kByteOrderMark.size());
    }
    std::string withCrLf;
    withCrLf.reserve(utf8.size() + utf8.size() / 16);
    for (std::size_t index = 0; index < utf8.size(); ++index) {
        if (utf8[index] == '\n' && (index == 0 || utf8[index - 1] != '\r')) {
            withCrLf.push_back('\r');
        }
        withCrLf.push_back(utf8[index]);
    }
    return platform.utf8ToCp932(withCrLf);
}

LoadedFile loadTextFile(Platform& platform, const std::string& path) {
    LoadedFile loaded = loadWholeFile(platform, path);
    if (loaded.size <= 0) {
        return loaded;
    }
    const std::string_view content(loaded.block.data(), static_cast<std::size_t>(loaded.size));
    if (!looksLikeUtf8(content)) {
        return loaded;
    }
    try {
        const std::string converted = utf8ToProgramText(platform, content);
        LoadedFile result;
        if (converted.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() - kLoadPadding)) {
            result.size = kNoMemoryForFile;
            return result;
        }
        result.block.assign(converted.size() + static_cast<std::size_t>(kLoadPadding), '\0');
        std::copy(converted.begin(), converted.end(), result.block.begin());
        result.size = static_cast<std::int32_t>(converted.size());
        return result;
    } catch (const std::bad_alloc&) {
        LoadedFile failed;
        failed.size = kNoMemoryForFile;
        return failed;
    }
}

}  // namespace tavori
