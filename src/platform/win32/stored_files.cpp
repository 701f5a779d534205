// Stored files through the wide file API: a replacement written to a temporary file, flushed and
// moved over the old one; appends through a handle that can only append, locked while it decides
// on the header.
#include "stored_files.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <utility>

#include "common/stored_file_name.h"
#include "files/configuration_folder.h"
#include "files/stored_append.h"
#include "text_conversion.h"
#include "unique_handle.h"
#include "win32_platform.h"

namespace tavori::win32::stored {

namespace {

// Another program may read, append to, or move a new file over a stored file held open here.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Appenders take turns by locking one byte this far past the end of any stored file: a lock on
// the file's own bytes would make a reader's ReadFile fail while it is held.
constexpr DWORD kTurnLockOffsetHigh = 0x40000000;

// How often and how far apart a refused move over the stored file is tried.
constexpr int kMoveAttempts = 20;
constexpr DWORD kMoveRetryMilliseconds = 5;

// Largest piece given to one ReadFile or WriteFile.
constexpr std::size_t kPiece = 1 << 20;

// An environment variable from the process's own block, which SetEnvironmentVariableW changes
// and the C runtime's copy does not follow; empty when not set.
std::wstring environmentVariable(const wchar_t* name) {
    std::wstring value;
    DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);  // with the terminating NUL
    while (needed > value.size()) {
        value.resize(needed);
        needed = GetEnvironmentVariableW(name, value.data(), needed);
    }
    value.resize(needed);
    return value;
}

// `path` in full, a relative one taken from the current folder; as it is when that fails.
std::wstring fullPath(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(needed, L'\0');
    const DWORD written = needed == 0 ? 0 : GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) {
        return path;
    }
    full.resize(written);
    return full;
}

std::wstring joined(std::wstring folder, std::wstring_view name) {
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') {
        folder += L'\\';
    }
    return folder += name;
}

// The full path of a stored file; empty for a name that is not a plain file name, or when
// there is no folder.
std::wstring pathOf(std::string_view name) {
    std::wstring where = folder();
    return isPlainFileName(name) && !where.empty() ? joined(std::move(where), utf8ToWide(name)) : std::wstring();
}

bool isFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(extendedLengthPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Makes the folder that holds `file`, and the folders above it; true when it is there.
bool makeFolderOf(const std::wstring& file) {
    const std::wstring folder = file.substr(0, file.find_last_of(L"\\/"));
    if (isFolder(folder)) {
        return true;
    }
    // From the top down; a drive, a share or a folder already there just fails.
    std::size_t end = 0;
    do {
        end = folder.find_first_of(L"\\/", end + 1);
        CreateDirectoryW(extendedLengthPath(folder.substr(0, end)).c_str(), nullptr);
    } while (end != std::wstring::npos);
    return isFolder(folder);
}

// Owns a handle from CreateFileW; empty for INVALID_HANDLE_VALUE.
KernelHandle opened(HANDLE file) { return KernelHandle(file == INVALID_HANDLE_VALUE ? nullptr : file); }

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto request = static_cast<DWORD>(std::min(bytes.size(), kPiece));
        if (!WriteFile(file, bytes.data(), request, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// Moves a written temporary file over the stored one. A file that another program holds open
// for a moment (a reader, or another writer's move) is refused as the target meanwhile, so the
// move is tried again for a short while.
bool moveOver(const std::wstring& temporary, const std::wstring& file) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        const DWORD error = GetLastError();
        if (attempt == kMoveAttempts || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)) {
            return false;
        }
        Sleep(kMoveRetryMilliseconds);
    }
}

}  // namespace

std::wstring folder() {
    const std::optional<ConfigurationFolderChoice> choice = chooseConfigurationFolder(
        wideToUtf8(environmentVariable(utf8ToWide(kConfigurationFolderVariable).c_str())),
        wideToUtf8(environmentVariable(L"APPDATA")), PathStyle::Windows, []() -> std::optional<std::string> {
            wchar_t shellFolder[MAX_PATH] = {};
            if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, shellFolder))) {
                return std::nullopt;
            }
            return wideToUtf8(shellFolder);
        });
    if (!choice) {
        return {};
    }
    const std::wstring base = fullPath(utf8ToWide(choice->base));
    return choice->underBase ? joined(base, utf8ToWide(kConfigurationSubfolder)) : base;
}

std::optional<std::string> read(std::string_view name, std::int64_t limit) {
    const std::wstring file = pathOf(name);
    if (file.empty()) {
        return std::nullopt;
    }
    const KernelHandle input = opened(CreateFileW(extendedLengthPath(file).c_str(), GENERIC_READ, kShareAll, nullptr,
                                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    // A file on the disk only, not a device or a pipe of that name.
    if (!input || GetFileType(input.get()) != FILE_TYPE_DISK || !GetFileSizeEx(input.get(), &size) ||
        size.QuadPart > limit) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    for (std::size_t total = 0; total < bytes.size();) {
        DWORD got = 0;
        const auto request = static_cast<DWORD>(std::min(bytes.size() - total, kPiece));
        if (!ReadFile(input.get(), bytes.data() + total, request, &got, nullptr) || got == 0) {
            return std::nullopt;
        }
        total += got;
    }
    return bytes;
}

bool write(std::string_view name, std::string_view bytes) {
    const std::wstring file = pathOf(name);
    if (file.empty() || !makeFolderOf(file)) {
        return false;
    }
    // A name no other live program or thread writes: the process and a count within it. One
    // left by a program that stopped half-way is simply written over.
    static std::atomic<unsigned> writes{0};
    const std::wstring temporary = extendedLengthPath(file + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                                      std::to_wstring(++writes) + L".tmp");
    bool complete = false;
    {
        const KernelHandle output = opened(
            CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!output) {
            return false;
        }
        complete = writeAll(output.get(), bytes) && FlushFileBuffers(output.get());
    }  // closed before the move
    if (complete && moveOver(temporary, extendedLengthPath(file))) {
        return true;
    }
    DeleteFileW(temporary.c_str());
    return false;
}

namespace {

// The byte at `offset`, read there whatever the handle's position.
bool byteAt(HANDLE file, std::int64_t offset, char& byte) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD got = 0;
    return ReadFile(file, &byte, 1, &got, &at) && got == 1;
}

}  // namespace

bool append(std::string_view name, std::string_view header, std::string_view bytes) {
    const std::wstring file = pathOf(name);
    if (file.empty() || !makeFolderOf(file)) {
        return false;
    }
    // FILE_APPEND_DATA without FILE_WRITE_DATA: each write goes to the end of the file, whoever
    // else appends. Reading is asked for only because a lock needs it.
    const KernelHandle output = opened(CreateFileW(extendedLengthPath(file).c_str(), FILE_APPEND_DATA | FILE_READ_DATA,
                                                   kShareAll, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    OVERLAPPED turn{};
    turn.OffsetHigh = kTurnLockOffsetHigh;
    if (!output || !LockFileEx(output.get(), LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &turn)) {
        return false;
    }
    LARGE_INTEGER size{};
    bool appended = false;
    // A line cut short by a crash gets its end first, so that it stays the only one lost.
    char last = '\n';
    if (GetFileSizeEx(output.get(), &size) && (size.QuadPart == 0 || byteAt(output.get(), size.QuadPart - 1, last))) {
        const std::string record =
            storedAppendBytes(size.QuadPart == 0 ? std::nullopt : std::optional(last), header, bytes);
        DWORD written = 0;
        appended = record.size() <= MAXDWORD &&
                   WriteFile(output.get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr) &&
                   written == record.size();
    }
    UnlockFileEx(output.get(), 0, 1, 0, &turn);
    return appended;
}

std::string path(std::string_view name) { return wideToUtf8(pathOf(name)); }

}  // namespace tavori::win32::stored
