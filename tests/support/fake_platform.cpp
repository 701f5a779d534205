// A platform for tests: in-memory files, scripted dialogs, recorded shell requests.
#include "support/fake_platform.h"

#include <algorithm>
#include <cstring>

#include "common/stored_file_name.h"
#include "files/stored_append.h"

#ifdef _WIN32
#include "text_conversion.h"
#else
#include "cp932_iconv.h"
#endif

namespace tavori::testing {

namespace {

class FakeInputFile : public InputFile {
public:
    explicit FakeInputFile(const FakeFile& file) : file_(file) {}

    std::int64_t size() override {
        return file_.reportedSize.value_or(static_cast<std::int64_t>(file_.content.size()));
    }

    std::int64_t read(char* destination, std::int64_t count) override {
        const auto length = static_cast<std::int64_t>(file_.content.size());
        std::int64_t available = std::max<std::int64_t>(0, length - position_);
        if (file_.failAfter) {
            available = std::min(available, std::max<std::int64_t>(0, *file_.failAfter - position_));
        }
        const std::int64_t got = std::min(count, available);
        std::memcpy(destination, file_.content.data() + position_, static_cast<std::size_t>(got));
        position_ += got;
        return got;
    }

private:
    const FakeFile& file_;
    std::int64_t position_ = 0;
};

}  // namespace

FakePlatform::FakePlatform(int clientWidth, int clientHeight)
    : size_{clientWidth, clientHeight}, window_(clientWidth, clientHeight), work_(500, 400) {}

std::string FakePlatform::besideExecutable(const std::string& name) const {
    return exePath.substr(0, exePath.find_last_of('/') + 1) + name;
}

void FakePlatform::setClientSize(int width, int height) {
    size_ = {width, height};
    window_.resize(width, height);
}

std::unique_ptr<InputFile> FakePlatform::openFile(const std::string& path) {
    openedPaths.push_back(path);
    const auto found = files.find(path);
    if (found == files.end()) {
        return nullptr;
    }
    return std::make_unique<FakeInputFile>(found->second);
}

std::optional<std::string> FakePlatform::chooseOpenFile(FileFilter filter, std::string_view title,
                                                        const std::string& proposedName) {
    dialogRequests.push_back({std::string(filter.description), std::string(filter.pattern),
                              std::string(title), proposedName});
    if (whileDialogOpen) {
        whileDialogOpen();
    }
    if (dialogAnswers.empty()) {
        return std::nullopt;
    }
    auto answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    return answer;
}

void FakePlatform::openWithShell(const std::string& target, ShellOwner owner) {
    shellRequests.push_back({target, owner});
}

std::optional<std::string> FakePlatform::readStoredFile(std::string_view name, std::int64_t limit) {
    const auto found = storedFiles.find(name);
    if (!isPlainFileName(name) || found == storedFiles.end() ||
        static_cast<std::int64_t>(found->second.size()) > limit) {
        return std::nullopt;
    }
    return found->second;
}

bool FakePlatform::writeStoredFile(std::string_view name, std::string_view bytes) {
    if (storedWritesFail || !isPlainFileName(name)) {
        return false;
    }
    storedFiles.insert_or_assign(std::string(name), std::string(bytes));
    ++storedWrites[std::string(name)];
    return true;
}

bool FakePlatform::appendToStoredFile(std::string_view name, std::string_view header, std::string_view bytes) {
    if (storedWritesFail || !isPlainFileName(name)) {
        return false;
    }
    std::string& file = storedFiles[std::string(name)];
    file += storedAppendBytes(file.empty() ? std::nullopt : std::optional(file.back()), header, bytes);
    ++storedWrites[std::string(name)];
    return true;
}

}  // namespace tavori::testing
