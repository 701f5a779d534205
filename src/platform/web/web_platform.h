// What the core asks of the browser: files the page fetched or the reader picked, the picker's
// answer given before the command, the page's tabs, storage and clock, and the two canvases.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/platform.h"
#include "web_canvas.h"

namespace tavori::web {

// The folder the program's own files are fetched into, and where picked files go.
inline constexpr std::string_view kProgramFolder = "/tavori/";
inline constexpr std::string_view kPickedFolder = "/picked/";
// What storedFilePath() names a stored file by: the page opens it from its storage.
inline constexpr std::string_view kStoragePrefix = "storage:";

class WebPlatform : public Platform {
public:
    WebPlatform(int width, int height, double ratio);

    // A file the page fetched or the reader picked, at its path; a file too large to hold is
    // put with no bytes and opens as one too large to load.
    void putFile(std::string path, std::vector<char> bytes);
    void putFileTooLargeToHold(std::string path);
    // The answer the next open-file dialog gives: a path, or nothing for a cancel. A browser's
    // picker cannot wait inside a command, so the page asks first and the command runs after.
    void setDialogAnswer(std::optional<std::string> answer) { dialogAnswer_ = std::move(answer); }

    // The exercise area's new logical size or ratio; the picture starts black. The work bitmap
    // follows the ratio, keeping its picture, so a copy from it keeps the screen's resolution.
    void resize(int width, int height, double ratio);
    WebCanvas& screen() { return window_; }

    std::string executablePath() override;
    std::unique_ptr<InputFile> openFile(const std::string& path) override;
    std::optional<std::string> chooseOpenFile(FileFilter filter, std::string_view title,
                                              const std::string& proposedName) override;
    void openWithShell(const std::string& target, ShellOwner owner) override;
    ClientSize clientSize() override { return {window_.width(), window_.height()}; }
    std::int64_t steadyMilliseconds() override;
    LocalTime localTime() override;
    std::optional<std::string> readStoredFile(std::string_view name, std::int64_t limit) override;
    bool writeStoredFile(std::string_view name, std::string_view bytes) override;
    bool appendToStoredFile(std::string_view name, std::string_view header, std::string_view bytes) override;
    std::string storedFilePath(std::string_view name) override;
    Canvas& windowCanvas() override { return window_; }
    Canvas& workBitmap() override { return workBitmap_; }

private:
    struct HeldFile {
        std::vector<char> bytes;
        bool tooLarge = false;
    };
    std::map<std::string, HeldFile, std::less<>> files_;
    std::optional<std::string> dialogAnswer_;
    WebCanvas window_;
    WebCanvas workBitmap_;
};

}  // namespace tavori::web
