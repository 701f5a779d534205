// DLLs loaded at run time from the system folder only, and the process's DLL search kept there.
#pragma once

#include <windows.h>

namespace tavori::win32 {

// Makes every DLL the process loads later by name (on its own or on behalf of COM, the shell or
// the open-file dialog) come from the system folder only, never from the program's folder or
// the current one, where a downloaded DLL may lie. Called first in wWinMain.
void restrictDllSearchToSystemFolder();

// A DLL that is not one of the system's known DLLs, loaded from the system folder only and
// freed when this goes. Such a DLL is never imported statically: Windows would look for it in
// the program's own folder first.
class SystemLibrary {
public:
    explicit SystemLibrary(const wchar_t* fileName);
    SystemLibrary(const SystemLibrary&) = delete;
    SystemLibrary& operator=(const SystemLibrary&) = delete;
    ~SystemLibrary();

    bool loaded() const { return module_ != nullptr; }

    // The named export as a function pointer of type Function, or null.
    template <typename Function>
    Function find(const char* exportName) const {
        if (module_ == nullptr) {
            return nullptr;
        }
        // Through void*: the export's real type is Function, not FARPROC's.
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, exportName)));
    }

private:
    HMODULE module_;
};

}  // namespace tavori::win32
