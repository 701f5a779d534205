// A DLL the end-to-end test loads into the running tavori.exe: it reads the menu bar from inside
// the program (Wine lets no other process read a window's menus) and writes it to the file that
// TAVORI_MENU_PROBE_OUTPUT names, one line per pop-up ("P", label, item count) and per item
// ("I", id, label, state), tab-separated, UTF-16. Each pop-up is read as it would open, after a
// WM_INITMENUPOPUP to the window.
#include <windows.h>

#include <string>

namespace {

constexpr DWORD kWaitForWindowMilliseconds = 30000;

struct WindowSearch {
    HWND found = nullptr;
};

BOOL CALLBACK matchOwnWindow(HWND window, LPARAM data) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (owner == GetCurrentProcessId() && std::wstring(name) == L"Tavori_Rideridu") {
        reinterpret_cast<WindowSearch*>(data)->found = window;
        return FALSE;
    }
    return TRUE;
}

std::wstring menuString(HMENU menu, int position) {
    wchar_t label[128] = {};
    const int length = GetMenuStringW(menu, static_cast<UINT>(position), label, 128, MF_BYPOSITION);
    return std::wstring(label, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::wstring describeMenuBar(HWND window) {
    const HMENU bar = GetMenu(window);
    std::wstring lines;
    const int popups = GetMenuItemCount(bar);
    for (int popup = 0; popup < popups; ++popup) {
        const HMENU items = GetSubMenu(bar, popup);
        SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(items), MAKELPARAM(popup, FALSE));
        const int count = items ? GetMenuItemCount(items) : -1;
        lines += L"P\t" + menuString(bar, popup) + L"\t" + std::to_wstring(count) + L"\n";
        for (int item = 0; item < count; ++item) {
            lines += L"I\t" + std::to_wstring(GetMenuItemID(items, item)) + L"\t" + menuString(items, item) +
                     L"\t" + std::to_wstring(GetMenuState(items, static_cast<UINT>(item), MF_BYPOSITION)) + L"\n";
        }
    }
    return lines;
}

DWORD WINAPI probeMenuBar(void*) {
    wchar_t output[32768] = {};
    if (GetEnvironmentVariableW(L"TAVORI_MENU_PROBE_OUTPUT", output, 32768) == 0) {
        return 1;
    }
    WindowSearch search;
    for (DWORD waited = 0; search.found == nullptr && waited < kWaitForWindowMilliseconds; waited += 50) {
        EnumWindows(matchOwnWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) {
            Sleep(50);
        }
    }
    const std::wstring lines = search.found ? describeMenuBar(search.found) : L"";
    // Written under another name and renamed, so the test never reads half a file.
    const std::wstring partial = std::wstring(output) + L".part";
    const HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD written = 0;
    WriteFile(file, lines.data(), static_cast<DWORD>(lines.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    MoveFileExW(partial.c_str(), output, MOVEFILE_REPLACE_EXISTING);
    return 0;
}

}  // namespace

// The probe runs on a thread of its own: the loader lock is held while this runs.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        const HANDLE thread = CreateThread(nullptr, 0, probeMenuBar, nullptr, 0, nullptr);
        if (thread != nullptr) {
            CloseHandle(thread);
        }
    }
    return TRUE;
}
