// What the core asks of the system: files, the open-file dialog, the shell, the window's size
// and its canvases. Each front end implements it; tests use a fake.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/canvas.h"

namespace tavori {

// An open file, read from its start. Closed when destroyed.
class InputFile {
public:
    virtual ~InputFile() = default;
    // Length in bytes, or a negative number when it cannot be told.
    virtual std::int64_t size() = 0;
    // Reads up to `count` bytes at the current position; returns the number read, 0 at the
    // end or on a failed read.
    virtual std::int64_t read(char* destination, std::int64_t count) = 0;
};

// One description / pattern pair of the open-file dialog, e.g. "txt Files(*.txt)" / "*.txt".
struct FileFilter {
    std::string_view description;
    std::string_view pattern;
};

struct ClientSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// A moment of the local wall clock, for the record's dates.
struct LocalTime {
    int year = 1970;
    int month = 1;  // 1 … 12
    int day = 1;    // 1 … 31
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const LocalTime&) const = default;
};

// Whether a shell request belongs to the main window (the help document) or to no window
// (the home page, opened while the window goes away).
enum class ShellOwner { None, MainWindow };

class Platform {
public:
    virtual ~Platform() = default;

    // Full path of the running executable, UTF-8.
    virtual std::string executablePath() = 0;

    // Opens a file for reading by its UTF-8 path; null when it cannot be opened.
    virtual std::unique_ptr<InputFile> openFile(const std::string& path) = 0;

    // Shows the modal open-file dialog proposing `proposedName`; the chosen full path, or
    // nothing when the user cancels or the dialog fails.
    virtual std::optional<std::string> chooseOpenFile(FileFilter filter, std::string_view title,
                                                      const std::string& proposedName) = 0;

    // Opens a document or an address with its associated program; failures are ignored.
    virtual void openWithShell(const std::string& target, ShellOwner owner) = 0;

    // The client area's current size in pixels: the exercise area, without the status line.
    virtual ClientSize clientSize() = 0;

    // Milliseconds on a clock that only goes forward, for the times the status line shows.
    virtual std::int64_t steadyMilliseconds() = 0;

    // The local date and time now.
    virtual LocalTime localTime() = 0;

    // Small files kept between runs in the user's own configuration folder (TAVORI_CONFIG_DIR
    // when set; otherwise $XDG_CONFIG_HOME/tavori or %APPDATA%\tavori), named by a plain file
    // name. The core owns what they hold; none of these ever reports a failure by other means
    // than its result, and a folder that cannot be made or written leaves the program as it is.
    //
    // The whole of a stored file, or nothing when it is missing, unreadable or longer than
    // `limit` bytes.
    virtual std::optional<std::string> readStoredFile(std::string_view name, std::int64_t limit) = 0;
    // Replaces a stored file whole or not at all: written to a temporary file in the same folder,
    // flushed to the disk, then renamed over the old one. Makes the folder when it is missing.
    virtual bool writeStoredFile(std::string_view name, std::string_view bytes) = 0;
    // Appends `bytes` (whole lines) to a stored file in one write, so that two programs appending
    // at once never interleave within a line; `header` is written first when the file is new or
    // empty, and a line end first when its last line was cut short (a crash in a write), so that
    // the cut line stays the only one lost. Makes the folder when it is missing.
    virtual bool appendToStoredFile(std::string_view name, std::string_view header, std::string_view bytes) = 0;
    // The full path of a stored file, UTF-8, for the shell to open.
    virtual std::string storedFilePath(std::string_view name) = 0;

    // The window's client area, and the 500 × 400 off-screen work bitmap.
    virtual Canvas& windowCanvas() = 0;
    virtual Canvas& workBitmap() = 0;
};

}  // namespace tavori
