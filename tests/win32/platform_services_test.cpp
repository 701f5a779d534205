// The Windows platform services: the executable's path, reading files by long, non-ASCII paths,
// the stored files, and the main window's area the core lays out and draws in, above the status
// strip.
#include "win32_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "files/files.h"
#include "main_window.h"
#include "support/stored_file_contract.h"
#include "text_conversion.h"

namespace tavori::win32 {
namespace {

std::wstring temporaryFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    return std::wstring(buffer, length);
}

// A folder tree deeper than 260 characters with Japanese names, removed afterwards.
class LongJapanesePath : public ::testing::Test {
protected:
    void SetUp() override {
        std::wstring folder = temporaryFolder() + L"tavori_長い道";
        folders_.push_back(folder);
        while (folder.size() < 300) {
            folder += L"\\読書の練習フォルダ_0123456789";
            folders_.push_back(folder);
        }
        for (const std::wstring& each : folders_) {
            CreateDirectoryW(extendedLengthPath(each).c_str(), nullptr);
        }
        filePath_ = folder + L"\\本文.txt";
        const HANDLE file = CreateFileW(extendedLengthPath(filePath_).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, kContent, sizeof(kContent) - 1, &written, nullptr);
        CloseHandle(file);
    }

    void TearDown() override {
        DeleteFileW(extendedLengthPath(filePath_).c_str());
        for (auto each = folders_.rbegin(); each != folders_.rend(); ++each) {
            RemoveDirectoryW(extendedLengthPath(*each).c_str());
        }
    }

    static constexpr char kContent[] = "\x82\xA0\x82\xA2\r\nline";
    std::vector<std::wstring> folders_;
    std::wstring filePath_;
};

TEST_F(LongJapanesePath, OpensAndReadsTheWholeFile) {
    ASSERT_GT(filePath_.size(), 300u);
    Win32Platform platform;
    const LoadedFile loaded = loadWholeFile(platform, wideToUtf8(filePath_));
    ASSERT_EQ(loaded.size, static_cast<std::int32_t>(sizeof(kContent) - 1));
    EXPECT_EQ(loaded.text(), std::string_view(kContent));
    EXPECT_EQ(loaded.block.size(), sizeof(kContent) - 1 + kLoadPadding);
}

TEST(PlatformServices, MissingOrEmptyPathsOpenNothing) {
    Win32Platform platform;
    EXPECT_EQ(platform.openFile(""), nullptr);
    EXPECT_EQ(platform.openFile(wideToUtf8(temporaryFolder() + L"存在しない.txt")), nullptr);
    EXPECT_EQ(loadWholeFile(platform, "").size, kFileCannotBeOpened);
}

TEST(PlatformServices, ExecutablePathAndItsSiblings) {
    Win32Platform platform;
    const std::string path = platform.executablePath();
    ASSERT_GT(path.size(), 4u);
    EXPECT_EQ(path.substr(path.find_last_of('\\') + 1), "tavori_win32_tests.exe");
    const std::string sibling = siblingPath(platform, "最初にお読みください", ".html");
    EXPECT_EQ(sibling, path.substr(0, path.find_last_of('\\') + 1) + "最初にお読みください.html");
}

TEST(PlatformServices, ExtendedLengthPathsOnlyForLongPaths) {
    EXPECT_EQ(extendedLengthPath(L"C:\\app\\w.txt"), L"C:\\app\\w.txt");
    const std::wstring longName(300, L'a');
    EXPECT_EQ(extendedLengthPath(L"C:\\" + longName), L"\\\\?\\C:\\" + longName);
    EXPECT_EQ(extendedLengthPath(L"C:/x/../" + longName), L"\\\\?\\C:\\" + longName);
    EXPECT_EQ(extendedLengthPath(L"\\\\server\\share\\" + longName), L"\\\\?\\UNC\\server\\share\\" + longName);
    EXPECT_EQ(extendedLengthPath(L"\\\\?\\C:\\" + longName), L"\\\\?\\C:\\" + longName);
}

TEST(PlatformServices, WithoutAWindowTheWindowServicesDoNothing) {
    Win32Platform platform;
    EXPECT_EQ(platform.clientSize().width, 0);
    platform.windowCanvas().fillRect(0, 0, 10, 10, kWhite);
    platform.createWorkBitmap();
    platform.workBitmap().fillRect(0, 0, 10, 10, kWhite);
}

COLORREF pixelOf(HWND window, int x, int y) {
    const WindowDc dc(window);
    return GetPixel(dc.get(), x, y);
}

// The program's own main window, made on this thread: the core's area and canvas stop at the
// status strip along the bottom, at any size.
TEST(PlatformServices, TheCoreHasTheClientAreaAboveTheStatusStrip) {
    // Made once per process, by whichever test comes first.
    ASSERT_TRUE(registerMainWindowClass(GetModuleHandleW(nullptr)) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS);
    WindowSession session(AppConfig{});
    const HWND window = createMainWindow(GetModuleHandleW(nullptr), session, L"", 640, 480);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    MoveWindow(window, 0, 0, 420, 260, TRUE);
    const HWND strip = session.status.window();
    RECT client{};
    RECT stripArea{};
    GetClientRect(window, &client);
    GetWindowRect(strip, &stripArea);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&stripArea), 2);
    const ClientSize area = session.platform.clientSize();
    EXPECT_EQ(area.width, client.right);
    EXPECT_EQ(area.height, stripArea.top);
    EXPECT_GT(area.height, client.bottom / 2);
    EXPECT_TRUE(stripArea.left == 0 && stripArea.right == client.right && stripArea.bottom == client.bottom);

    UpdateWindow(window);
    const COLORREF stripColour = pixelOf(strip, 1, 1);
    session.platform.windowCanvas().fillRect(-100, -100, 10000, 10000, rgb(255, 0, 0));
    EXPECT_EQ(pixelOf(window, 1, area.height - 1), RGB(255, 0, 0));
    EXPECT_NE(stripColour, RGB(255, 0, 0));
    EXPECT_EQ(pixelOf(strip, 1, 1), stripColour);

    DestroyWindow(window);
    MSG quit{};  // posted by WM_DESTROY for the program's loop
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

// Sets environment variables (null: removes them) for one test and puts them back afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> values) {
        for (const auto& [name, value] : values) {
            std::wstring old(32767, L'\0');
            old.resize(GetEnvironmentVariableW(name, old.data(), 32767));
            saved_.emplace_back(name, old.empty() ? std::nullopt : std::optional(old));
            SetEnvironmentVariableW(name, value);
        }
    }
    ~ScopedEnvironment() {
        for (const auto& [name, value] : saved_) SetEnvironmentVariableW(name, value ? value->c_str() : nullptr);
    }

private:
    std::vector<std::pair<const wchar_t*, std::optional<std::wstring>>> saved_;
};

TEST(PlatformServices, StoredFilesFolderFromTheEnvironment) {
    const struct { const wchar_t* configDir; const wchar_t* appData; const char* expected; } cases[] = {
        {L"C:\\選んだ", L"C:\\ad", "C:\\選んだ\\s.txt"}, {L"", L"C:\\ad\\", "C:\\ad\\tavori\\s.txt"},
        {nullptr, nullptr, "\\tavori\\s.txt"}};  // the shell's own Application Data folder
    for (const auto& each : cases) {
        const ScopedEnvironment environment{{L"TAVORI_CONFIG_DIR", each.configDir}, {L"APPDATA", each.appData}};
        const std::string path = Win32Platform().storedFilePath("s.txt");
        EXPECT_TRUE(path.ends_with(each.expected) && path.size() > 14) << path;
    }
}

// A configuration folder of the test's own with a Japanese name, not made until the first write,
// and removed afterwards with what it holds.
struct Win32StoredFileTraits {
    struct Store {
        Store() : environment{{L"TAVORI_CONFIG_DIR", folder.c_str()}} {}
        ~Store() {
            for (const std::string& name : entries(*this)) DeleteFileW((folder + L"\\" + utf8ToWide(name)).c_str());
            RemoveDirectoryW(folder.c_str());
            DeleteFileW(file.c_str());
        }
        inline static int made = 0;
        const std::wstring prefix =
            temporaryFolder() + L"tavori_" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++made);
        const std::wstring folder = prefix + L"_設定";
        const std::wstring file = prefix + L"_file";
        const ScopedEnvironment environment;
        Win32Platform platform;
    };
    static std::unique_ptr<Store> make() { return std::make_unique<Store>(); }
    static Platform& platform(Store& store) { return store.platform; }
    static bool folderExists(Store& store) { return GetFileAttributesW(store.folder.c_str()) != INVALID_FILE_ATTRIBUTES; }
    static std::vector<std::string> entries(Store& store) {
        WIN32_FIND_DATAW found{};
        std::vector<std::string> names;
        const HANDLE search = FindFirstFileW((store.folder + L"\\*").c_str(), &found);
        for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
            if (found.cFileName[0] != L'.') names.push_back(wideToUtf8(found.cFileName));  // not "." or ".."
        }
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::string expectedPath(Store& store, std::string_view name) {
        return wideToUtf8(store.folder) + "\\" + std::string(name);
    }
    // Under a regular file, where no folder can be made.
    static void breakFolder(Store& store) {
        CloseHandle(CreateFileW(store.file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        SetEnvironmentVariableW(L"TAVORI_CONFIG_DIR", (store.file + L"\\tavori").c_str());
    }
    static void mendFolder(Store& store) { SetEnvironmentVariableW(L"TAVORI_CONFIG_DIR", store.folder.c_str()); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, StoredFileContract, Win32StoredFileTraits);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, SharedStoredFileContract, Win32StoredFileTraits);

}  // namespace
}  // namespace tavori::win32
