// The main window: its class, its creation and the window procedure that feeds the core.
#pragma once

#include <windows.h>

#include "gdi_handles.h"
#include "grid_tick_thread.h"
#include "resource_ids.h"
#include "shell/app.h"
#include "shell/tick_driver.h"
#include "status_strip.h"
#include "win32_platform.h"

namespace tavori::win32 {

inline constexpr wchar_t kWindowClassName[] = L"Tavori_Rideridu";
// Posted by the tick thread at each grid point the tick driver is due at.
inline constexpr UINT kTickMessage = WM_APP + 1;
inline constexpr int kIconResourceId = TAVORI_ICON_ID;

// Everything the window procedure works on, owned by the entry point for the whole run.
// The tick sleeps by `tickSleep`: benchmarks set an earlier rule to compare with.
struct WindowSession {
    explicit WindowSession(AppConfig config, TickSleep tickSleep = TickSleep::WhileStepsOnlyRepeat)
        : app(platform, std::move(config)), tickDriver(app, tickSleep) {}
    WindowSession(const WindowSession&) = delete;
    WindowSession& operator=(const WindowSession&) = delete;

    Win32Platform platform;
    App app;
    TickDriver tickDriver;
    Menu menuBar;                     // destroyed on WM_DESTROY
    StatusStrip status;               // made on WM_CREATE, gone with the window
    GridTickThread tick;              // stopped on WM_DESTROY or at the session's end
    POINT lastMouse{0, 0};            // where a drag was last seen, for a lost capture
};

// Registers "Tavori_Rideridu": redrawn whole on resize, arrow cursor, black background.
bool registerMainWindowClass(HINSTANCE instance);

// Creates the main window at (0, 0), not yet visible, with the session's menu bar and the status
// strip along its bottom. The session must outlive the window.
HWND createMainWindow(HINSTANCE instance, WindowSession& session, const wchar_t* initialText, int width,
                      int height);

// Starts the tick: a thread that posts kTickMessage at each 100 ms grid point from now while
// the driver is awake.
void startTick(WindowSession& session);

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tavori::win32
