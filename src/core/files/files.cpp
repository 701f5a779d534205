// The executable's folder joined to a name, a whole file read in 65,520-byte requests into one
// zero-padded block, and the dialog's answer kept in the name buffer.
#include "files/files.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <new>

namespace tavori {

namespace {

// Bytes asked of the file per read; the padding above leaves room for a whole last request.
constexpr std::int64_t kReadChunk = 65520;

std::string_view folderOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash + 1);
}

}  // namespace

std::string_view LoadedFile::text() const {
    if (size <= 0 || block.empty()) {
        return {};
    }
    const std::string_view content(block.data(), static_cast<std::size_t>(size));
    return content.substr(0, content.find('\0'));
}

std::string siblingPath(Platform& platform, std::string_view baseName, std::string_view extension) {
    std::string path(folderOf(platform.executablePath()));
    path.append(baseName);
    path.append(extension);
    return path;
}

LoadedFile loadWholeFile(Platform& platform, const std::string& path) {
    LoadedFile loaded;
    const std::unique_ptr<InputFile> file = path.empty() ? nullptr : platform.openFile(path);
    const std::int64_t fileSize = file ? file->size() : -1;
    if (fileSize < 0) {
        // Like a missing file: an empty, zero-filled text.
        loaded.size = kFileCannotBeOpened;
        loaded.block.assign(static_cast<std::size_t>(kLoadPadding), '\0');
        return loaded;
    }
    // The size is a signed 32-bit count that must leave room for the padding.
    if (fileSize > std::numeric_limits<std::int32_t>::max() - kLoadPadding) {
        loaded.size = kNoMemoryForFile;
        return loaded;
    }
    try {
        loaded.block.assign(static_cast<std::size_t>(fileSize + kLoadPadding), '\0');
    } catch (const std::bad_alloc&) {
        loaded.size = kNoMemoryForFile;
        loaded.block = {};
        return loaded;
    }
    loaded.size = static_cast<std::int32_t>(fileSize);
    std::int64_t offset = 0;
    while (offset < fileSize) {
        const std::int64_t got = file->read(loaded.block.data() + offset, std::min(kReadChunk, fileSize - offset));
        if (got <= 0) {
            break;  // the unread rest stays zero
        }
        offset += got;
    }
    return loaded;
}

bool chooseOpenFile(Platform& platform, FileFilter filter, std::string& nameBuffer) {
    auto chosen = platform.chooseOpenFile(filter, "ファイルを開く", nameBuffer);
    if (!chosen) {
        return false;
    }
    nameBuffer = std::move(*chosen);
    return true;
}

}  // namespace tavori
