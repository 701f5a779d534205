// SetDefaultDllDirectories looked up at run time for older Windows, and LoadLibraryExW kept to
// System32.
#include "system_library.h"

namespace tavori::win32 {

void restrictDllSearchToSystemFolder() {
    // Looked up rather than imported: a Windows 7 without its loader update lacks it, and the
    // program still starts there.
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (kernel == nullptr) {
        return;
    }
    const auto setDirectories =
        reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDirectories != nullptr) {
        setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

SystemLibrary::SystemLibrary(const wchar_t* fileName)
    : module_(LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {}

SystemLibrary::~SystemLibrary() {
    if (module_ != nullptr) {
        FreeLibrary(module_);
    }
}

}  // namespace tavori::win32
