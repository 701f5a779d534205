// A platform for tests: in-memory files, scripted dialog answers, recorded shell requests and
// raster canvases for the window and the work bitmap.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/platform.h"
#include "support/raster_canvas.h"

namespace tavori::testing {

struct FakeFile {
    std::string content;
    // The size the file reports; by default its content's length.
    std::optional<std::int64_t> reportedSize;
    // Reads fail once this many bytes have been delivered.
    std::optional<std::int64_t> failAfter;
};

struct DialogRequest {
    std::string description;
    std::string pattern;
    std::string title;
    std::string proposedName;
};

struct ShellRequest {
    std::string target;
    ShellOwner owner;
};

class FakePlatform : public Platform {
public:
    explicit FakePlatform(int clientWidth = 1000, int clientHeight = 600);

    // --- set-up and inspection for tests
    std::string exePath = "/opt/tavori/tavori";
    std::map<std::string, FakeFile> files;
    // Answers for the next dialogs; an empty queue or nullopt is a cancel.
    std::deque<std::optional<std::string>> dialogAnswers;
    // Runs while a dialog is open, as the platform's modal loop goes on delivering ticks.
    std::function<void()> whileDialogOpen;
    std::vector<DialogRequest> dialogRequests;
    std::vector<ShellRequest> shellRequests;
    std::vector<std::string> openedPaths;

    void addFile(const std::string& path, std::string content) { files[path].content = std::move(content); }
    // Path of a file beside the executable.
    std::string besideExecutable(const std::string& name) const;
    // The client size the next clientSize() reports; the window canvas follows it.
    void setClientSize(int width, int height);
    // The same, but the canvas keeps its size: for sizes no canvas could hold.
    void reportClientSize(int width, int height) { size_ = {width, height}; }

    RasterCanvas& window() { return window_; }
    RasterCanvas& work() { return work_; }

    // --- Platform
    std::string executablePath() override { return exePath; }
    std::unique_ptr<InputFile> openFile(const std::string& path) override;
    std::optional<std::string> chooseOpenFile(FileFilter filter, std::string_view title,
                                              const std::string& proposedName) override;
    void openWithShell(const std::string& target, ShellOwner owner) override;
    ClientSize clientSize() override { return size_; }
    std::int64_t steadyMilliseconds() override { return milliseconds; }
    std::int64_t milliseconds = 0;
    LocalTime localTime() override { return now; }
    LocalTime now{2026, 12, 8, 9, 30, 0};
    std::optional<std::string> readStoredFile(std::string_view name, std::int64_t limit) override;
    bool writeStoredFile(std::string_view name, std::string_view bytes) override;
    bool appendToStoredFile(std::string_view name, std::string_view header, std::string_view bytes) override;
    std::string storedFilePath(std::string_view name) override { return "/home/reader/.config/tavori/" + std::string(name); }
    // The configuration folder's files by name, and how often each was written whole. Names that
    // are not plain file names are refused, as on every platform.
    std::map<std::string, std::string, std::less<>> storedFiles;
    std::map<std::string, int, std::less<>> storedWrites;
    // A write that stops before its rename (a kill, a full disk): the old file stays whole.
    bool storedWritesFail = false;
    Canvas& windowCanvas() override { return window_; }
    Canvas& workBitmap() override { return work_; }

private:
    ClientSize size_;
    RasterCanvas window_;
    RasterCanvas work_;
};

}  // namespace tavori::testing
