// The Windows program's entry: builds the window and its menu bar, then runs the message loop.
#include <windows.h>
#include <objbase.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "common/program_window.h"
#include "common/seed.h"
#include "home_page.h"
#include "main_window.h"
#include "menu_bar.h"
#include "system_library.h"
#include "text_conversion.h"

namespace {

// The exit codes: start-up failed (no window), or the loop ended with the quit message.
constexpr int kExitStartUpFailed = 0;
constexpr int kExitAfterQuit = 1;

// COM for the shell and the open-file dialog, on this (the window's) thread.
class ComApartment {
public:
    ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (initialised_) {
            CoUninitialize();
        }
    }

private:
    bool initialised_;
};

int runMessageLoop() {
    MSG message{};
    while (true) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                return kExitAfterQuit;  // whatever code the quit message carries
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        WaitMessage();
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    using namespace tavori;
    using namespace tavori::win32;

    restrictDllSearchToSystemFolder();
    const ComApartment com;

    // A maximised window overlaps the screen by one sizing frame on each side; this size
    // covers about the work area without being maximised.
    const int windowWidth = GetSystemMetrics(SM_CXMAXIMIZED) - 2 * GetSystemMetrics(SM_CXFRAME);
    const int windowHeight = GetSystemMetrics(SM_CYMAXIMIZED) - 2 * GetSystemMetrics(SM_CYFRAME);

    WindowSession session(AppConfig{chooseSeed(std::getenv("TAVORI_SEED"), std::time(nullptr)), homePageAddress()});
    session.menuBar = buildMenuBar();

    if (!registerMainWindowClass(instance)) {
        return kExitStartUpFailed;
    }
    const HWND window = createMainWindow(instance, session, commandLine, windowWidth, windowHeight);
    if (window == nullptr) {
        return kExitStartUpFailed;
    }
    startTick(session);
    session.app.startUp();  // the client size, then w.txt and tvr.tvr3 from beside the program
    session.platform.createWorkBitmap();
    ShowWindow(window, showCommand);
    const std::wstring title = utf8ToWide(kWindowTitle);
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()));

    const int exitCode = runMessageLoop();
    // The quit message comes from WM_DESTROY, so the window is gone; should anything else
    // have posted it, the window must not outlive the session it points to.
    if (IsWindow(window)) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
    return exitCode;
}
