// Fuzzes the UTF-8 detection and conversion that every loader applies to a file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "files/text_file.h"
#include "support/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static tavori::testing::FakePlatform platform(10, 10);
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    platform.addFile("/in.txt", bytes);
    const tavori::LoadedFile loaded = tavori::loadTextFile(platform, "/in.txt");
    // The content is always followed by its zero padding.
    if (loaded.size >= 0) {
        const auto length = static_cast<std::size_t>(loaded.size);
        if (loaded.block.size() < length + static_cast<std::size_t>(tavori::kLoadPadding)) __builtin_trap();
        for (std::size_t index = length; index < loaded.block.size(); ++index) {
            if (loaded.block[index] != '\0') __builtin_trap();
        }
        // A converted file has CR LF line ends only.
        if (tavori::looksLikeUtf8(bytes)) {
            for (std::size_t index = 0; index < length; ++index) {
                if (loaded.block[index] == '\n' && (index == 0 || loaded.block[index - 1] != '\r')) __builtin_trap();
            }
        } else if (std::string(loaded.block.data(), length) != bytes) {
            __builtin_trap();  // anything else is kept byte for byte
        }
    }
    return 0;
}
