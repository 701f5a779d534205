// The core's Platform on Windows: files, the open-file dialog, the shell and the canvases.
#pragma once

#include <windows.h>

#include "common/platform.h"
#include "gdi_canvas.h"

namespace tavori::win32 {

class Win32Platform final : public Platform {
public:
    // The main window, once it exists; until then the window services do nothing.
    void setWindow(HWND window);
    HWND window() const { return window_; }
    // The status strip's height, which the client size and the window canvas leave out.
    void setStatusStripHeight(int height) { windowCanvas_.setStripHeight(height); }

    // The user's session is ending (logout, shutdown): the shell is asked to open nothing more,
    // since whatever it started would be ended with the session, and could hold it up.
    void endSession() { sessionEnding_ = true; }

    // Creates the work bitmap compatible with the window's device context.
    void createWorkBitmap();
    void deleteWorkBitmap() { workBitmap_.reset(); }

    std::string executablePath() override;
    std::unique_ptr<InputFile> openFile(const std::string& path) override;
    std::optional<std::string> chooseOpenFile(FileFilter filter, std::string_view title,
                                              const std::string& proposedName) override;
    void openWithShell(const std::string& target, ShellOwner owner) override;
    ClientSize clientSize() override;
    std::int64_t steadyMilliseconds() override;
    LocalTime localTime() override;
    std::optional<std::string> readStoredFile(std::string_view name, std::int64_t limit) override;
    bool writeStoredFile(std::string_view name, std::string_view bytes) override;
    bool appendToStoredFile(std::string_view name, std::string_view header, std::string_view bytes) override;
    std::string storedFilePath(std::string_view name) override;
    Canvas& windowCanvas() override { return windowCanvas_; }
    Canvas& workBitmap() override { return workBitmap_; }

private:
    HWND window_ = nullptr;
    bool sessionEnding_ = false;
    WindowCanvas windowCanvas_;
    BitmapCanvas workBitmap_;
};

// The form of a path that CreateFileW opens whatever its length: a full path longer than the
// classic 260-character limit gets the \\?\ prefix (\\?\UNC\ for a network path).
std::wstring extendedLengthPath(const std::wstring& path);

}  // namespace tavori::win32
