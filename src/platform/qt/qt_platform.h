// The system services the core asks for, on Linux: POSIX files, Qt's dialog and desktop
// services, iconv, and the window's canvases.
#pragma once

#include <QWidget>

#include "common/platform.h"
#include "qt_canvas.h"

namespace tavori::qt {

class ScreenWidget;

class QtPlatform : public Platform {
public:
    // `window` owns the dialog; `screen` is the client area.
    QtPlatform(QWidget& window, ScreenWidget& screen);

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
    Canvas& windowCanvas() override;
    Canvas& workBitmap() override;

    // Brings the work bitmap to the window's resolution, keeping its picture.
    void matchWorkBitmapToScreen();

private:
    QWidget& window_;
    ScreenWidget& screen_;
    QtCanvas workBitmap_;
};

// The dialog's filter string for Qt: "description (pattern)", not repeating a pattern that the
// description already ends with in parentheses.
QString dialogFilter(FileFilter filter);

}  // namespace tavori::qt
