// Fuzzes the text pipeline every loader applies to a file: encodings (the core's CP932 table
// against iconv's converter on any bytes), line ends and the Aozora Bunko clean-up of reading texts.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/cp932_encoder.h"
#include "cp932_iconv.h"
#include "files/aozora.h"
#include "files/text_file.h"
#include "files/utf16.h"
#include "support/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static tavori::testing::FakePlatform platform(10, 10);
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (tavori::utf8ToCp932(bytes) != tavori::utf8ToCp932WithIconv(bytes)) __builtin_trap();
    platform.addFile("/in.txt", bytes);
    const tavori::LoadedFile loaded = tavori::loadTextFile(platform, "/in.txt");
    // The content is always followed by its zero padding.
    if (loaded.size >= 0) {
        const auto length = static_cast<std::size_t>(loaded.size);
        if (loaded.block.size() < length + static_cast<std::size_t>(tavori::kLoadPadding)) __builtin_trap();
        for (std::size_t index = length; index < loaded.block.size(); ++index) {
            if (loaded.block[index] != '\0') __builtin_trap();
        }
        // Every line end is CR LF: the line-end pass finds nothing more to do.
        const std::string text(loaded.block.data(), length);
        if (tavori::withCrLfLineEnds(text) != text) __builtin_trap();
        // A Shift-JIS file keeps every byte; only CRs are added.
        if (!tavori::hasUtf16ByteOrderMark(bytes) && !tavori::looksLikeUtf8(bytes) &&
            text != tavori::withCrLfLineEnds(bytes)) {
            __builtin_trap();
        }
        // The clean-up only ever removes (〓 is shorter than the note it replaces), and leaves
        // a text without the format's markers alone.
        const std::string cleaned = tavori::cleanAozoraBunkoText(text);
        if (cleaned.size() > text.size()) __builtin_trap();
        if (!tavori::looksLikeAozoraBunko(text) && cleaned != text) __builtin_trap();
    }
    return 0;
}
