// Files beside the executable, whole-file loading with zero padding, and the open-file dialog.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform.h"

namespace tavori {

// Zero bytes that follow every loaded file's content, so each text is NUL-terminated and a
// scanner may read a byte or two past its end without leaving the block.
inline constexpr std::int32_t kLoadPadding = 65520;

// Sizes that loadWholeFile reports instead of a length.
inline constexpr std::int32_t kFileCannotBeOpened = -1;
inline constexpr std::int32_t kNoMemoryForFile = -2;

struct LoadedFile {
    // The file's length, kFileCannotBeOpened or kNoMemoryForFile.
    std::int32_t size = kFileCannotBeOpened;
    // The content followed by at least kLoadPadding zero bytes; empty only for kNoMemoryForFile.
    std::vector<char> block;

    // The text up to its first NUL (empty for a failed load).
    std::string_view text() const;
};

// The full path of `baseName` + `extension` (with its dot) in the executable's folder, UTF-8.
std::string siblingPath(Platform& platform, std::string_view baseName, std::string_view extension);

// Reads a whole file byte for byte. A read that fails part-way leaves the rest zero.
LoadedFile loadWholeFile(Platform& platform, const std::string& path);

// Shows the open-file dialog titled "ファイルを開く" proposing `nameBuffer`; a choice replaces
// the buffer and gives true, a cancel (or a dialog that could not open) leaves it and gives false.
bool chooseOpenFile(Platform& platform, FileFilter filter, std::string& nameBuffer);

}  // namespace tavori
