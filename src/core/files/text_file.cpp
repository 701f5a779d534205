// UTF-8 told by its mark or by well-formed three- and four-byte sequences, conversion through
// the platform, lone LFs made CR LF at character boundaries; an unchanged text keeps its block.
#include "files/text_file.h"

#include <algorithm>
#include <limits>
#include <new>

#include "common/cp932_encoder.h"
#include "common/sjis.h"
#include "common/utf8.h"
#include "files/aozora.h"
#include "files/utf16.h"

namespace tavori {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

bool looksLikeUtf8(std::string_view bytes) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        return true;
    }
    // Japanese text always holds three-byte sequences; two-byte ones alone are no proof, as
    // Shift-JIS half-width katakana pair up into them (ﾎｰﾑｽ is CE B0 D1 BD).
    bool longSequenceSeen = false;
    for (std::size_t index = 0; index < bytes.size();) {
        const std::size_t length = utf8SequenceLength(bytes, index);
        if (length == 0) {
            return false;
        }
        longSequenceSeen = longSequenceSeen || length >= 3;
        index += length;
    }
    return longSequenceSeen;
}

std::string withCrLfLineEnds(std::string_view shiftJis) {
    std::string result;
    result.reserve(shiftJis.size() + shiftJis.size() / 16);
    bool afterCarriageReturn = false;
    for (std::size_t position = 0; position < shiftJis.size();) {
        const std::size_t width = characterWidthAt(shiftJis, position);
        const char first = shiftJis[position];
        // A CR or LF right after a lead byte is that character's second byte, as the pager
        // and the line splitters take it.
        if (width == 1 && first == '\n' && !afterCarriageReturn) {
            result.push_back('\r');
        }
        afterCarriageReturn = width == 1 && first == '\r';
        result.append(shiftJis.substr(position, width));
        position += width;
    }
    return result;
}

std::string programText(std::string_view fileBytes, TextKind kind) {
    std::string text;
    if (hasUtf16ByteOrderMark(fileBytes)) {
        text = utf8ToCp932(utf16ToUtf8(fileBytes));
    } else if (looksLikeUtf8(fileBytes)) {
        if (fileBytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
            fileBytes.remove_prefix(kByteOrderMark.size());
        }
        text = utf8ToCp932(fileBytes);
    } else {
        text = fileBytes;
    }
    text = withCrLfLineEnds(text);
    if (kind == TextKind::Reading && looksLikeAozoraBunko(text)) {
        text = cleanAozoraBunkoText(text);
    }
    return text;
}

LoadedFile loadTextFile(Platform& platform, const std::string& path, TextKind kind) {
    LoadedFile loaded = loadWholeFile(platform, path);
    if (loaded.size <= 0) {
        return loaded;
    }
    try {
        const std::string converted =
            programText(std::string_view(loaded.block.data(), static_cast<std::size_t>(loaded.size)), kind);
        LoadedFile result;
        if (converted.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() - kLoadPadding)) {
            result.size = kNoMemoryForFile;
            return result;
        }
        if (converted.size() == static_cast<std::size_t>(loaded.size) &&
            std::equal(converted.begin(), converted.end(), loaded.block.begin())) {
            return loaded;  // already the program's form: no second block
        }
        loaded.block = {};
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
