// The window procedure: each message turned into one call of the core, its outcome carried
// out, the tick driver woken before and settled after, and the strip given its status line.
#include "main_window.h"

#include <windowsx.h>

#include <optional>

#include "menu_bar.h"
#include "shell/menu.h"

namespace tavori::win32 {

namespace {

WindowSession* sessionOf(HWND window) {
    return reinterpret_cast<WindowSession*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Client coordinates as signed 16-bit values: a captured drag outside the window is negative.
POINT mousePoint(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

bool held(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

// The exercises' key for a WM_KEYDOWN, if it is one: the keypad's digits count as the main
// row's, a key with Ctrl, Alt or a Windows key held is none, and a held key (bit 30: it was down
// already) repeats only where that means something.
std::optional<Key> keyOf(WPARAM virtualKey, LPARAM flags) {
    const std::optional<Key> named = [virtualKey]() -> std::optional<Key> {
        switch (virtualKey) {
            case VK_LEFT: return Key::Left;
            case VK_RIGHT: return Key::Right;
            case VK_UP: return Key::Up;
            case VK_DOWN: return Key::Down;
            case VK_PRIOR: return Key::PageUp;
            case VK_NEXT: return Key::PageDown;
            case VK_SPACE: return Key::Space;
            case VK_RETURN: return Key::Return;
            case VK_HOME: return Key::Home;
            case '1':
            case VK_NUMPAD1: return Key::One;
            case '2':
            case VK_NUMPAD2: return Key::Two;
            case '3':
            case VK_NUMPAD3: return Key::Three;
            case VK_ESCAPE: return Key::Escape;
            default: return std::nullopt;
        }
    }();
    const std::optional<Key> key = exerciseKey(
        named, Modifiers{.control = held(VK_CONTROL), .alt = held(VK_MENU), .meta = held(VK_LWIN) || held(VK_RWIN)});
    const bool repeated = (flags & (LPARAM{1} << 30)) != 0;
    return key && (!repeated || repeatsWhenHeld(*key)) ? key : std::nullopt;
}

// The messages whose handling below calls into the core.
bool callsCore(UINT message) {
    switch (message) {
        case WM_DESTROY:
        case WM_ENDSESSION:
        case WM_PAINT:
        case WM_COMMAND:
        case WM_KEYDOWN:
        case kTickMessage:
        case WM_LBUTTONDOWN:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            return true;
        default:
            return false;
    }
}

// The status strip along the bottom; the core's client size is the area above it.
void onCreate(HWND window, WindowSession& session) {
    session.status.create(window);
    session.platform.setStatusStripHeight(session.status.height());
    RECT client{};
    GetClientRect(window, &client);
    session.status.layOut(client.right, client.bottom);
}

void onDestroy(WindowSession& session) {
    session.tick.stop();
    session.tickDriver.stop();
    session.app.destroy();  // the session recorded, the place kept, the home-page request
    session.platform.deleteWorkBitmap();
    session.menuBar.reset();
    PostQuitMessage(0);
}

// The user's session ends (logout, shutdown): the process is ended after this message, with no
// WM_DESTROY, so the session on screen is recorded and the place kept here, as a close would.
void onSessionEnd(WindowSession& session) {
    session.tick.stop();
    session.tickDriver.stop();
    session.platform.endSession();
    session.app.destroy();
}

void onTick(WindowSession& session) { session.tickDriver.step(session.tick.now()); }

// Carries out what the core asked for after an event.
void apply(HWND window, Outcome outcome) {
    switch (outcome) {
        case Outcome::CloseWindow:
            DestroyWindow(window);  // WM_DESTROY runs the core's destroy sequence
            return;
        case Outcome::CaptureMouse:
            SetCapture(window);
            return;
        case Outcome::ReleaseMouse:
            if (GetCapture() == window) {
                ReleaseCapture();
            }
            return;
        case Outcome::None:
            return;
    }
}

void onButtonDown(HWND window, WindowSession& session, POINT point) {
    session.lastMouse = point;
    apply(window, session.app.mouseDown(point.x, point.y));
}

void onButtonUp(HWND window, WindowSession& session, POINT point) {
    session.lastMouse = point;
    apply(window, session.app.mouseUp(point.x, point.y));
}

// Another window took the mouse (a system dialog, a task switch): a release in mid-drag will
// never come here, so the tile is dropped where it was last seen. Without a drag the core
// ignores the release.
void onCaptureLost(HWND window, WindowSession& session, HWND newOwner) {
    if (newOwner != window) {
        session.app.mouseUp(session.lastMouse.x, session.lastMouse.y);  // the mouse has gone already
    }
}

LRESULT handleMessage(HWND window, WindowSession& session, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
            onCreate(window, session);
            return 0;
        case WM_SIZE:
            session.status.layOut(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_DESTROY:
            onDestroy(session);
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;  // nothing to ask: the close keeps everything
        case WM_ENDSESSION:
            if (wParam != FALSE) {
                onSessionEnd(session);
            }
            return 0;
        case WM_NCDESTROY:
            session.status.forget();
            session.platform.setWindow(nullptr);
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_PAINT: {
            // The class brush has erased the invalid area; the core draws outside the paint.
            PAINTSTRUCT paint{};
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            session.app.paint();
            return 0;
        }
        case WM_COMMAND:
            // A menu's command; a control's notification (a click on the status strip) is none.
            if (lParam == 0) {
                apply(window, session.app.command(LOWORD(wParam)));
            }
            return 0;
        case WM_INITMENUPOPUP:
            if (HIWORD(lParam) == FALSE) {  // not the window menu
                showCommandStates(reinterpret_cast<HMENU>(wParam), session.app);
            }
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_KEYDOWN:
            // Alt and F10 come as WM_SYSKEYDOWN and open the menus in the default handling.
            if (const std::optional<Key> key = keyOf(wParam, lParam)) {
                apply(window, session.app.key(*key));
                return 0;
            }
            return DefWindowProcW(window, message, wParam, lParam);
        case kTickMessage:
            onTick(session);
            return 0;
        case WM_LBUTTONDOWN:
            onButtonDown(window, session, mousePoint(lParam));
            return 0;
        case WM_MOUSEMOVE:
            session.lastMouse = mousePoint(lParam);
            session.app.mouseMove(session.lastMouse.x, session.lastMouse.y);
            return 0;
        case WM_LBUTTONUP:
            onButtonUp(window, session, mousePoint(lParam));
            return 0;
        case WM_CAPTURECHANGED:
            onCaptureLost(window, session, reinterpret_cast<HWND>(lParam));
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

bool registerMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResourceId));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResourceId), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kWindowClassName;
    return RegisterClassExW(&windowClass) != 0;
}

HWND createMainWindow(HINSTANCE instance, WindowSession& session, const wchar_t* initialText, int width,
                      int height) {
    // The core draws through GetDC outside any paint; WS_CLIPCHILDREN keeps the strip out of it.
    return CreateWindowExW(0, kWindowClassName, initialText, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, width,
                           height, nullptr, session.menuBar.get(), instance, &session);
}

void startTick(WindowSession& session) {
    session.tick.start(session.platform.window(), kTickMessage);
    session.tickDriver.start(session.tick.now());
    session.tick.armFor(session.tickDriver.nextDue());
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* session = static_cast<WindowSession*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(session));
        session->platform.setWindow(window);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    WindowSession* session = sessionOf(window);
    if (session == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // Before every call but a step, the tick wakes, and the thread is armed at once so that a
    // dialog's or menu's modal loop inside the call goes on ticking.
    if (callsCore(message) && message != kTickMessage) {
        session->tickDriver.wake(session->tick.now());
        session->tick.armFor(session->tickDriver.nextDue());
    }
    const LRESULT result = handleMessage(window, *session, message, wParam, lParam);
    // After it, the tick sleeps while no step could change the screen.
    session->tickDriver.settle();
    session->tick.armFor(session->tickDriver.nextDue());
    // And it may change the status line, which the strip then shows.
    if (callsCore(message) && !session->app.destroyed()) {
        session->status.show(session->app.statusLine());
    }
    return result;
}

}  // namespace tavori::win32
