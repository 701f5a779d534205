// Files through CreateFileW, GetOpenFileNameW with the program's filter, ShellExecuteW, the local
// time, the stored files (stored_files.h), and the work bitmap made compatible with the window.
#include "win32_platform.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "common/program_window.h"
#include "stored_files.h"
#include "text_conversion.h"

namespace tavori::win32 {

namespace {

// The longest path the wide file API accepts, in UTF-16 units with the terminating NUL; the
// dialog's name buffer is this large so that no chosen path is cut.
constexpr std::size_t kLongestPath = 32768;

// The dialog structure's base layout, without the later extension fields (76 bytes on 32-bit).
constexpr DWORD kOpenFileNameBaseSize = offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR);

// A file opened with CreateFileW, closed when destroyed.
class Win32InputFile final : public InputFile {
public:
    explicit Win32InputFile(HANDLE file) : file_(file) {}
    Win32InputFile(const Win32InputFile&) = delete;
    Win32InputFile& operator=(const Win32InputFile&) = delete;
    ~Win32InputFile() override { CloseHandle(file_); }

    std::int64_t size() override {
        LARGE_INTEGER size{};
        return GetFileSizeEx(file_, &size) ? size.QuadPart : -1;
    }

    std::int64_t read(char* destination, std::int64_t count) override {
        // ReadFile takes a 32-bit count; the core asks for 65,520 bytes at a time.
        const auto request = static_cast<DWORD>(std::clamp<std::int64_t>(count, 0, 0x7FFFFFFF));
        DWORD got = 0;
        if (request == 0 || !ReadFile(file_, destination, request, &got, nullptr)) {
            return 0;
        }
        return got;
    }

private:
    HANDLE file_;
};

}  // namespace

std::wstring extendedLengthPath(const std::wstring& path) {
    if (path.size() < MAX_PATH || path.rfind(L"\\\\?\\", 0) == 0) {
        return path;
    }
    // Resolve "." and ".." and turn "/" into "\": the prefixed form is taken literally.
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return path;
    }
    std::wstring full(needed, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) {
        return path;
    }
    full.resize(written);
    if (full.rfind(L"\\\\", 0) == 0) {
        return L"\\\\?\\UNC\\" + full.substr(2);
    }
    return L"\\\\?\\" + full;
}

void Win32Platform::setWindow(HWND window) {
    window_ = window;
    windowCanvas_.setWindow(window);
}

void Win32Platform::createWorkBitmap() {
    const WindowDc dc(window_);
    if (dc.get() == nullptr) {
        return;
    }
    workBitmap_.reset(Bitmap(CreateCompatibleBitmap(dc.get(), kWorkBitmapWidth, kWorkBitmapHeight)),
                      kWorkBitmapWidth, kWorkBitmapHeight);
}

std::string Win32Platform::executablePath() {
    // Grow the buffer until the whole path fits: GetModuleFileNameW cuts a long one silently.
    std::wstring path(MAX_PATH, L'\0');
    while (true) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return wideToUtf8(path);
        }
        if (path.size() >= kLongestPath) {
            return {};
        }
        path.resize(path.size() * 2);
    }
}

std::unique_ptr<InputFile> Win32Platform::openFile(const std::string& path) {
    if (path.empty()) {
        return nullptr;
    }
    const std::wstring widePath = extendedLengthPath(utf8ToWide(path));
    const HANDLE file = CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return std::make_unique<Win32InputFile>(file);
}

std::optional<std::string> Win32Platform::chooseOpenFile(FileFilter filter, std::string_view title,
                                                         const std::string& proposedName) {
    // The filter list: description, pattern, each NUL-terminated, then an empty string.
    std::wstring filterList = utf8ToWide(filter.description);
    filterList.push_back(L'\0');
    filterList += utf8ToWide(filter.pattern);
    filterList.push_back(L'\0');
    filterList.push_back(L'\0');
    const std::wstring dialogTitle = utf8ToWide(title);

    std::wstring proposed = utf8ToWide(proposedName);
    std::vector<wchar_t> nameBuffer(std::max(kLongestPath, proposed.size() + 1), L'\0');
    std::copy(proposed.begin(), proposed.end(), nameBuffer.begin());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = kOpenFileNameBaseSize;
    dialog.hwndOwner = window_;
    dialog.lpstrFilter = filterList.c_str();
    dialog.lpstrFile = nameBuffer.data();
    dialog.nMaxFile = static_cast<DWORD>(nameBuffer.size());
    dialog.lpstrTitle = dialogTitle.c_str();
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&dialog)) {
        return std::nullopt;  // cancelled or failed: the caller keeps its name
    }
    return wideToUtf8(nameBuffer.data());
}

void Win32Platform::openWithShell(const std::string& target, ShellOwner owner) {
    if (sessionEnding_) {
        return;
    }
    const std::wstring wideTarget = utf8ToWide(target);
    const HWND shellOwner = owner == ShellOwner::MainWindow ? window_ : nullptr;
    // The result is ignored: a missing document or browser is not reported.
    ShellExecuteW(shellOwner, nullptr, wideTarget.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

ClientSize Win32Platform::clientSize() {
    const SIZE area = windowCanvas_.area();
    return ClientSize{area.cx, area.cy};
}

std::int64_t Win32Platform::steadyMilliseconds() { return static_cast<std::int64_t>(GetTickCount64()); }

LocalTime Win32Platform::localTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::optional<std::string> Win32Platform::readStoredFile(std::string_view name, std::int64_t limit) {
    return stored::read(name, limit);
}

bool Win32Platform::writeStoredFile(std::string_view name, std::string_view bytes) {
    return stored::write(name, bytes);
}

bool Win32Platform::appendToStoredFile(std::string_view name, std::string_view header, std::string_view bytes) {
    return stored::append(name, header, bytes);
}

std::string Win32Platform::storedFilePath(std::string_view name) { return stored::path(name); }

}  // namespace tavori::win32
