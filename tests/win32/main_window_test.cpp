// The window procedure on this thread: keys held with Ctrl, Alt or a Windows key reach no
// exercise, and the end of the user's session records and keeps as a close does.
#include "main_window.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/menu.h"

namespace tavori::win32 {
namespace {

// A configuration folder of this test's own, emptied, for the windows it makes.
class FreshConfiguration {
public:
    FreshConfiguration() {
        wchar_t temporary[MAX_PATH + 1] = {};
        folder_ = std::wstring(temporary, GetTempPathW(MAX_PATH + 1, temporary)) + L"tavori_session_end_" +
                  std::to_wstring(GetCurrentProcessId());
        removeFiles();
        SetEnvironmentVariableW(L"TAVORI_CONFIG_DIR", folder_.c_str());
    }
    FreshConfiguration(const FreshConfiguration&) = delete;
    FreshConfiguration& operator=(const FreshConfiguration&) = delete;
    ~FreshConfiguration() {
        SetEnvironmentVariableW(L"TAVORI_CONFIG_DIR", nullptr);
        removeFiles();
        RemoveDirectoryW(folder_.c_str());
    }

private:
    void removeFiles() const {
        for (const wchar_t* name : {L"settings.txt", L"history.tsv"}) DeleteFileW((folder_ + L"\\" + name).c_str());
    }
    std::wstring folder_;
};

// The program's window and its session, started as the program starts them.
struct OpenWindow {
    OpenWindow() {
        registerMainWindowClass(GetModuleHandleW(nullptr));  // made already by an earlier test
        window = createMainWindow(GetModuleHandleW(nullptr), session, L"", 800, 600);
        startTick(session);
        session.app.startUp();
        session.platform.createWorkBitmap();
    }
    OpenWindow(const OpenWindow&) = delete;
    OpenWindow& operator=(const OpenWindow&) = delete;
    ~OpenWindow() {
        DestroyWindow(window);
        MSG quit{};  // posted by WM_DESTROY for the program's loop
        PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    WindowSession session{AppConfig{1, ""}};
    HWND window = nullptr;
};

void holdKeys(std::initializer_list<int> virtualKeys) {
    BYTE state[256] = {};
    for (const int key : virtualKeys) state[key] = 0x80;
    SetKeyboardState(state);
}

TEST(MainWindowProcedure, ModifiedKeysReachNoExerciseAndTheSessionsEndRecordsAndKeeps) {
    const FreshConfiguration configuration;
    std::int32_t page = 0;
    {
        OpenWindow open;
        ASSERT_NE(open.window, nullptr);
        SendMessageW(open.window, WM_COMMAND, MAKEWPARAM(CommandId::lines(4), 0), 0);
        const std::size_t pages = open.session.app.reading().pagesShown.size();
        for (const int modifier : {VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN}) {
            holdKeys({modifier});
            SendMessageW(open.window, WM_KEYDOWN, VK_RIGHT, 1);
            EXPECT_EQ(open.session.app.reading().pagesShown.size(), pages) << modifier;
        }
        holdKeys({VK_SHIFT});
        SendMessageW(open.window, WM_KEYDOWN, VK_RIGHT, 1);
        holdKeys({});
        SendMessageW(open.window, WM_KEYDOWN, VK_RIGHT, 1);
        ASSERT_EQ(open.session.app.reading().pagesShown.size(), pages + 2);
        page = open.session.app.reading().pagesShown.back().start;

        EXPECT_EQ(SendMessageW(open.window, WM_QUERYENDSESSION, 0, 0), TRUE);
        SendMessageW(open.window, WM_ENDSESSION, FALSE, 0);  // ended by another program: goes on
        EXPECT_FALSE(open.session.app.destroyed());
        SendMessageW(open.window, WM_ENDSESSION, TRUE, 0);
        EXPECT_TRUE(open.session.app.destroyed());
        const std::optional<std::string> history = open.session.platform.readStoredFile("history.tsv", 100000);
        ASSERT_TRUE(history.has_value());
        EXPECT_NE(history->find("\treading\t"), std::string::npos) << *history;
    }
    OpenWindow again;
    EXPECT_EQ(again.session.app.reading().readingPosition, page);
}

}  // namespace
}  // namespace tavori::win32
