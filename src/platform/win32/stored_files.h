// The stored files on Windows: the configuration folder, whole-file replacement, and appends.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavori::win32::stored {

// The folder the stored files live in, as a full path: TAVORI_CONFIG_DIR when set and not empty,
// otherwise %APPDATA%\tavori (the shell's Application Data folder when APPDATA is not set);
// empty when neither can be told. Looked up on each call and never made here.
std::wstring folder();

// Platform::readStoredFile, writeStoredFile, appendToStoredFile and storedFilePath; a name that
// is not a plain file name reads as missing and fails to be written.
std::optional<std::string> read(std::string_view name, std::int64_t limit);
bool write(std::string_view name, std::string_view bytes);
bool append(std::string_view name, std::string_view header, std::string_view bytes);
std::string path(std::string_view name);

}  // namespace tavori::win32::stored
