// Files held in memory as the page handed them over, the picker's answer, and the page's
// storage, clock and tabs through page_imports.h.
#include "web_platform.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <algorithm>
#include <utility>

#include "common/program_window.h"
#include "files/stored_append.h"
#include "page_imports.h"

namespace tavori::web {

namespace {

// Larger than any text the core loads, so it reports the file as too large for memory.
constexpr std::int64_t kSizeTooLargeToHold = std::int64_t{1} << 40;

// A file read from the bytes the page handed over.
class MemoryFile : public InputFile {
public:
    MemoryFile(const std::vector<char>& bytes, bool tooLarge) : bytes_(bytes), tooLarge_(tooLarge) {}
    std::int64_t size() override { return tooLarge_ ? kSizeTooLargeToHold : static_cast<std::int64_t>(bytes_.size()); }
    std::int64_t read(char* destination, std::int64_t count) override {
        const std::size_t left = bytes_.size() - at_;
        const std::size_t taken = count <= 0 ? 0 : std::min(left, static_cast<std::size_t>(count));
        std::memcpy(destination, bytes_.data() + at_, taken);
        at_ += taken;
        return static_cast<std::int64_t>(taken);
    }

private:
    const std::vector<char>& bytes_;
    bool tooLarge_;
    std::size_t at_ = 0;
};

// Owns what the page's script malloc'ed for a result.
std::string takeResult(char* bytes, int length) {
    std::string result(bytes, static_cast<std::size_t>(length > 0 ? length : 0));
    std::free(bytes);
    return result;
}

}  // namespace

WebPlatform::WebPlatform(int width, int height, double ratio)
    : window_(width, height, ratio), workBitmap_(kWorkBitmapWidth, kWorkBitmapHeight, ratio) {}

void WebPlatform::putFile(std::string path, std::vector<char> bytes) {
    files_[std::move(path)] = HeldFile{std::move(bytes), false};
}

void WebPlatform::putFileTooLargeToHold(std::string path) { files_[std::move(path)] = HeldFile{{}, true}; }

void WebPlatform::resize(int width, int height, double ratio) {
    window_.resize(width, height, ratio);
    if (workBitmap_.ratio() != window_.ratio()) workBitmap_.rescale(window_.ratio());
}

std::string WebPlatform::executablePath() { return std::string(kProgramFolder) + "tavori"; }

std::unique_ptr<InputFile> WebPlatform::openFile(const std::string& path) {
    const auto found = files_.find(path);
    if (found == files_.end()) return nullptr;
    return std::make_unique<MemoryFile>(found->second.bytes, found->second.tooLarge);
}

std::optional<std::string> WebPlatform::chooseOpenFile(FileFilter /*filter*/, std::string_view /*title*/,
                                                       const std::string& /*proposedName*/) {
    return std::exchange(dialogAnswer_, std::nullopt);
}

void WebPlatform::openWithShell(const std::string& target, ShellOwner owner) {
    tavoriPageOpenWithShell(target.data(), static_cast<int>(target.size()), owner == ShellOwner::MainWindow);
}

std::int64_t WebPlatform::steadyMilliseconds() { return static_cast<std::int64_t>(tavoriPageNow()); }

LocalTime WebPlatform::localTime() {
    int fields[6] = {1970, 1, 1, 0, 0, 0};
    tavoriPageLocalTime(fields);
    return LocalTime{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
}

std::optional<std::string> WebPlatform::readStoredFile(std::string_view name, std::int64_t limit) {
    int length = 0;
    char* bytes = tavoriPageReadStored(name.data(), static_cast<int>(name.size()), static_cast<double>(limit), &length);
    if (bytes == nullptr) return std::nullopt;
    return takeResult(bytes, length);
}

bool WebPlatform::writeStoredFile(std::string_view name, std::string_view bytes) {
    return tavoriPageWriteStored(name.data(), static_cast<int>(name.size()), bytes.data(),
                                 static_cast<int>(bytes.size())) != 0;
}

bool WebPlatform::appendToStoredFile(std::string_view name, std::string_view header, std::string_view bytes) {
    // One page's script runs one thing at a time, so reading and writing back is one append; the
    // storage sets the whole value or, past its quota, nothing.
    std::string file = readStoredFile(name, std::numeric_limits<std::int32_t>::max()).value_or(std::string());
    file += storedAppendBytes(file.empty() ? std::nullopt : std::optional(file.back()), header, bytes);
    return writeStoredFile(name, file);
}

std::string WebPlatform::storedFilePath(std::string_view name) { return std::string(kStoragePrefix) + std::string(name); }

}  // namespace tavori::web
