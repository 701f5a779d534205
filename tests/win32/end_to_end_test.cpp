// Starts the real tavori.exe built beside this test and drives its window from outside: the
// class, the title, commands and keys, the menu bar read back item by item with the check marks
// they leave (a pace's among the seconds'), and the exit code.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "shell/menu.h"
#include "text_conversion.h"

namespace tavori::win32 {
namespace {

using namespace std::chrono_literals;

constexpr auto kStartTimeout = 60s;
constexpr auto kExitTimeout = 30s;

std::wstring besideThisTest(const wchar_t* name) {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

std::wstring classNameOf(HWND window) {
    wchar_t name[64] = {};
    const int length = GetClassNameW(window, name, 64);
    return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::wstring titleOf(HWND window) {
    wchar_t title[256] = {};
    const int length = GetWindowTextW(window, title, 256);
    return std::wstring(title, static_cast<std::size_t>(length > 0 ? length : 0));
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

// A visible top-level window of class "Tavori_Rideridu" owned by the searched process.
BOOL CALLBACK matchProgramWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && classNameOf(window) == L"Tavori_Rideridu" && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Loads the menu probe DLL into the program through a remote thread that calls LoadLibraryW.
bool loadIntoProcess(HANDLE process, const std::wstring& library) {
    const std::size_t bytes = (library.size() + 1) * sizeof(wchar_t);
    void* remoteName = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remoteName == nullptr) {
        return false;
    }
    bool loaded = false;
    // kernel32 lies at the same address in every process, so this address serves over there.
    const FARPROC loadLibrary = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW");
    if (loadLibrary != nullptr && WriteProcessMemory(process, remoteName, library.c_str(), bytes, nullptr)) {
        const auto start = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void (*)()>(loadLibrary));
        const HANDLE thread = CreateRemoteThread(process, nullptr, 0, start, remoteName, 0, nullptr);
        if (thread != nullptr) {
            DWORD result = 0;
            // The thread's exit code is LoadLibraryW's result (its low 32 bits): 0 for a failure.
            loaded = WaitForSingleObject(thread, 30000) == WAIT_OBJECT_0 && GetExitCodeThread(thread, &result) &&
                     result != 0;
            CloseHandle(thread);
        }
    }
    VirtualFreeEx(process, remoteName, 0, MEM_RELEASE);
    return loaded;
}

struct ProbedPopup {
    std::wstring label;
    int count;
    std::vector<std::wstring> items;  // "id\tlabel\tstate"
};

// The probe's file once it exists, parsed; nothing when it does not come in time.
std::optional<std::vector<ProbedPopup>> readProbe(const std::wstring& path) {
    const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
    HANDLE file = INVALID_HANDLE_VALUE;
    while (std::chrono::steady_clock::now() < deadline &&
           (file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)) ==
               INVALID_HANDLE_VALUE) {
        std::this_thread::sleep_for(50ms);
    }
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    std::wstring text(static_cast<std::size_t>(size.QuadPart) / sizeof(wchar_t), L'\0');
    DWORD got = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &got, nullptr);
    CloseHandle(file);
    DeleteFileW(path.c_str());

    std::vector<ProbedPopup> popups;
    std::wistringstream lines(text);
    std::wstring line;
    while (std::getline(lines, line)) {
        if (line.rfind(L"P\t", 0) == 0) {
            const std::size_t tab = line.find(L'\t', 2);
            popups.push_back({line.substr(2, tab - 2), std::stoi(line.substr(tab + 1)), {}});
        } else if (line.rfind(L"I\t", 0) == 0 && !popups.empty()) {
            popups.back().items.push_back(line.substr(2));
        }
    }
    return popups;
}

// One run of tavori.exe, ended by force should a test leave it running.
class RunningProgram {
public:
    explicit RunningProgram(const std::wstring& arguments) {
        std::wstring commandLine = L"\"" + besideThisTest(L"tavori.exe") + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &startup, &process_) != FALSE;
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    ~RunningProgram() {
        if (!started_) {
            return;
        }
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    bool started() const { return started_; }
    HANDLE process() const { return process_.hProcess; }
    bool running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

    // The program's visible top-level window of class "Tavori_Rideridu", or null.
    HWND waitForWindow() const {
        const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
        while (std::chrono::steady_clock::now() < deadline && running()) {
            WindowSearch search{process_.dwProcessId, nullptr};
            EnumWindows(matchProgramWindow, reinterpret_cast<LPARAM>(&search));
            if (search.found != nullptr) {
                return search.found;
            }
            std::this_thread::sleep_for(50ms);
        }
        return nullptr;
    }

    // The title once start-up has set it (it is blank while the window is being made).
    std::wstring waitForTitle(HWND window) const {
        const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
        std::wstring title;
        while (std::chrono::steady_clock::now() < deadline && (title = titleOf(window)).empty()) {
            std::this_thread::sleep_for(50ms);
        }
        return title;
    }

    // The exit code, or nothing when the program does not end in time.
    std::optional<DWORD> waitForExit() const {
        const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(kExitTimeout).count();
        if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(milliseconds)) != WAIT_OBJECT_0) {
            return std::nullopt;
        }
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

// The status strip's text.
std::wstring statusOf(HWND window) {
    wchar_t status[256] = {};
    GetWindowTextW(FindWindowExW(window, nullptr, L"Static", nullptr), status, 256);
    return status;
}

// A configuration folder of the test's own, made empty, that the programs it starts inherit.
std::wstring freshConfigurationFolder() {
    const std::wstring folder = besideThisTest((L"config_" + std::to_wstring(GetCurrentProcessId())).c_str());
    for (const wchar_t* name : {L"settings.txt", L"history.tsv", L"report.html"}) {
        DeleteFileW((folder + L"\\" + name).c_str());
    }
    SetEnvironmentVariableW(L"TAVORI_CONFIG_DIR", folder.c_str());
    return folder;
}

TEST(EndToEnd, WindowTitleCommandsKeysMenusAndCloseBox) {
    const std::wstring configuration = freshConfigurationFolder();
    // The probe loaded into the program learns from its environment where to write.
    const std::wstring probeOutput =
        besideThisTest((L"menu_probe_" + std::to_wstring(GetCurrentProcessId()) + L".txt").c_str());
    DeleteFileW(probeOutput.c_str());
    SetEnvironmentVariableW(L"TAVORI_MENU_PROBE_OUTPUT", probeOutput.c_str());
    // Arguments are ignored: the title is the program's own all the same.
    RunningProgram program(L"--ignored argument");
    ASSERT_TRUE(program.started()) << "cannot start tavori.exe beside the test";
    const HWND window = program.waitForWindow();
    ASSERT_NE(window, nullptr) << "no visible window of class Tavori_Rideridu";
    EXPECT_EQ(program.waitForTitle(window), L"タボリで速読補助");
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);

    // Display time 5 s, the 8 × 8 maze, the puzzle with a drag that leaves the window, three
    // rows of reading: each handled in full while SendMessage waits, and the program lives on.
    for (const int id : {264, 202, 737, 723, 251}) {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        EXPECT_TRUE(IsWindow(window)) << id;
        if (id == 737) {
            SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 40));
            SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-30, -20));
            SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(-30, -20));
        }
    }
    // Keys in speed reading: → shows the next page, Space pauses, a held Space (bit 30: the key
    // was down) does not resume, a held ↓ goes on lengthening the display time (0.1 s → 0.2 s →
    // 0.3 s).
    for (const auto& [key, flags] : {std::pair<WPARAM, LPARAM>{VK_RIGHT, 1}, {VK_SPACE, 1}, {VK_SPACE, 0x40000001},
                                     {VK_DOWN, 1}, {VK_DOWN, 0x40000001}}) {
        SendMessageW(window, WM_KEYDOWN, key, flags);
    }
    std::this_thread::sleep_for(300ms);  // a few ticks in the last mode
    EXPECT_TRUE(program.running());
    // The status strip shows the core's line: the text's name first, the pause last.
    const std::wstring status = statusOf(window);
    EXPECT_TRUE(status.starts_with(L"w.txt") && status.ends_with(L"一時停止")) << status;

    // 縦書き: the paused page goes on in columns, and its item shows a check.
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(CommandId::Vertical, 0), 0);

    // The menu bar, read back from inside the running program: the table's items in order, each
    // key's item after a separator with its key after a tab.
    ASSERT_NE(GetMenu(window), nullptr);
    ASSERT_TRUE(loadIntoProcess(program.process(), besideThisTest(L"tavori_menu_probe.dll")));
    const std::optional<std::vector<ProbedPopup>> popups = readProbe(probeOutput);
    ASSERT_TRUE(popups.has_value()) << "the menu probe wrote nothing";
    const auto table = menuBarTable();
    ASSERT_EQ(popups->size(), table.size());
    std::map<int, unsigned> states;
    for (std::size_t position = 0; position < table.size(); ++position) {
        const ProbedPopup& probed = (*popups)[position];
        EXPECT_EQ(probed.label, utf8ToWide(table[position].label)) << position;
        ASSERT_EQ(probed.count, static_cast<int>(probed.items.size())) << position;
        std::size_t next = 0;
        for (const MenuItem& item : table[position].items) {
            if (item.afterSeparator) {
                const std::wstring separator = probed.items.at(next++);
                EXPECT_TRUE(separator.rfind(L"0\t\t", 0) == 0 && (std::stoul(separator.substr(3)) & MF_SEPARATOR))
                    << item.id;
            }
            const std::wstring key = item.shortcut.empty() ? L"" : L"\t" + utf8ToWide(item.shortcut);
            const std::wstring shown = std::to_wstring(item.id) + L"\t" + utf8ToWide(item.label) + key + L"\t";
            ASSERT_EQ(probed.items.at(next).substr(0, shown.size()), shown) << position;
            states[item.id] = static_cast<unsigned>(std::stoul(probed.items.at(next++).substr(shown.size())));
        }
        EXPECT_EQ(next, probed.items.size()) << position;
    }
    for (const auto& [id, state] : states) {
        EXPECT_TRUE(id > 900 || (state & MF_GRAYED) == 0) << id;  // the commands of the first menus
    }
    // Round marks on the values in force, a plain check on the pause, grey on the answers.
    EXPECT_EQ(states[253], MFT_RADIOCHECK | MF_CHECKED);
    EXPECT_EQ(states[251] & MF_CHECKED, 0u);
    EXPECT_EQ(states[723], MFT_RADIOCHECK | MF_CHECKED);
    EXPECT_EQ(states[202], MFT_RADIOCHECK | MF_CHECKED);
    EXPECT_EQ(states[911], MF_CHECKED);
    EXPECT_EQ(states[915], MF_CHECKED);
    EXPECT_NE(states[921] & MF_GRAYED, 0u);

    // The close box's WM_CLOSE reaches the default handling: WM_DESTROY, then exit code 1.
    PostMessageW(window, WM_CLOSE, 0, 0);
    const std::optional<DWORD> code = program.waitForExit();
    ASSERT_TRUE(code.has_value()) << "the program did not end after WM_CLOSE";
    EXPECT_EQ(*code, 1u);

    // Started again, it has the rows, the display time and the page where they were: in speed
    // reading, → shows that page, with the same progress and nominal speed as before the close.
    RunningProgram again(L"");
    const HWND restarted = again.waitForWindow();
    ASSERT_NE(restarted, nullptr);
    SendMessageW(restarted, WM_COMMAND, MAKEWPARAM(CommandId::SixteenCharacters, 0), 0);
    SendMessageW(restarted, WM_KEYDOWN, VK_RIGHT, 1);
    SendMessageW(restarted, WM_KEYDOWN, VK_SPACE, 1);
    // 縦書き, switched on after the status above was read, is restored too.
    std::wstring restored = statusOf(restarted);
    const std::wstring_view vertical = L"縦書き　";
    ASSERT_NE(restored.find(vertical), std::wstring::npos) << restored;
    restored.erase(restored.find(vertical), vertical.size());
    const std::wstring_view perMinute = L"文字/分";
    ASSERT_NE(status.find(perMinute), std::wstring::npos) << status;
    EXPECT_EQ(restored.substr(0, restored.find(perMinute)), status.substr(0, status.find(perMinute))) << restored;
    EXPECT_NE(GetFileAttributesW((configuration + L"\\settings.txt").c_str()), INVALID_FILE_ATTRIBUTES);

    // A pace takes the round mark from the seconds: the two lists of 表示時間 are one group.
    SendMessageW(restarted, WM_COMMAND, MAKEWPARAM(CommandId::PaceFirst + 3, 0), 0);
    ASSERT_TRUE(loadIntoProcess(again.process(), besideThisTest(L"tavori_menu_probe.dll")));
    const std::optional<std::vector<ProbedPopup>> paced = readProbe(probeOutput);
    ASSERT_TRUE(paced.has_value() && paced->size() > 1) << "the menu probe wrote nothing";
    std::map<int, unsigned> times;
    for (const std::wstring& item : (*paced)[1].items) {
        times[std::stoi(item)] = static_cast<unsigned>(std::stoul(item.substr(item.rfind(L'\t') + 1)));
    }
    for (const int id : {251, 253, 264, 951, 953, 955, 961}) EXPECT_EQ(times.at(id), MFT_RADIOCHECK) << id;
    EXPECT_EQ(times.at(954), MFT_RADIOCHECK | MF_CHECKED);
}

// The status strip once it holds `part`, or what it holds after ten seconds.
std::wstring waitForStatus(HWND window, std::wstring_view part) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    std::wstring status;
    while ((status = statusOf(window)).find(part) == std::wstring::npos && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(50ms);
    }
    return status;
}

// A reading test from its menu: → through the pages, 1/2/3 and Space through the questions, the
// result on the status strip; Esc abandons the next test once its clock runs; both are in the record.
TEST(EndToEnd, AReadingTestReachesItsResultAndEscAbandonsTheNext) {
    const std::wstring configuration = freshConfigurationFolder();
    RunningProgram program(L"");
    const HWND window = program.waitForWindow();
    ASSERT_NE(window, nullptr);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(CommandId::TestEasy, 0), 0);
    ASSERT_NE(waitForStatus(window, L" 字").find(L" 字"), std::wstring::npos) << "no passage beside the program";
    for (int press = 0; press < 200 && statusOf(window).find(L"問題") == std::wstring::npos; ++press) {
        SendMessageW(window, WM_KEYDOWN, VK_RIGHT, 1);
    }
    for (int asked = 0; asked < 5 && statusOf(window).find(L"問題") != std::wstring::npos; ++asked) {
        SendMessageW(window, WM_KEYDOWN, static_cast<WPARAM>('1' + asked % 3), 1);
        SendMessageW(window, WM_KEYDOWN, VK_SPACE, 1);
    }
    EXPECT_NE(statusOf(window).find(L"実効"), std::wstring::npos) << statusOf(window);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(CommandId::TestEasy, 0), 0);
    waitForStatus(window, L" 字");
    SendMessageW(window, WM_KEYDOWN, VK_RIGHT, 1);
    SendMessageW(window, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_NE(statusOf(window).find(L"やめました"), std::wstring::npos) << statusOf(window);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(CommandId::Quit, 0), 0);
    ASSERT_TRUE(program.waitForExit().has_value());
    std::ifstream file(std::filesystem::path(configuration + L"\\history.tsv"), std::ios::binary);
    std::string line;
    std::vector<std::string> tests;
    while (std::getline(file, line)) {
        const std::string beforeHeld = line.substr(0, line.rfind('\t'));  // the last column is held_cpm
        if (line.find("\treading_test\t") != std::string::npos) tests.push_back(beforeHeld.substr(beforeHeld.rfind('\t') + 1));
    }
    EXPECT_EQ(tests, (std::vector<std::string>{"0", "1"}));  // the column before it: abandoned
}

// Checked practice from its item: → pages to the first question, 1 answers it (the status strip
// counts it), Space pages on; the session's line in the record carries the question.
TEST(EndToEnd, CheckedPracticeAsksAQuestionAndTakesItsAnswer) {
    const std::wstring configuration = freshConfigurationFolder();
    RunningProgram program(L"");
    const HWND window = program.waitForWindow();
    ASSERT_NE(window, nullptr);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(CommandId::lines(16), 0), 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(CommandId::CheckedPractice, 0), 0);
    for (int press = 0; press < 20 && statusOf(window).find(L"確認の問題") == std::wstring::npos; ++press) {
        SendMessageW(window, WM_KEYDOWN, VK_RIGHT, 1);
    }
    ASSERT_NE(statusOf(window).find(L"確認の問題"), std::wstring::npos) << "no question after 20 pages";
    SendMessageW(window, WM_KEYDOWN, '1', 1);
    EXPECT_NE(statusOf(window).find(L"/1（"), std::wstring::npos);
    SendMessageW(window, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(statusOf(window).find(L"確認の問題"), std::wstring::npos);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(CommandId::Quit, 0), 0);
    ASSERT_TRUE(program.waitForExit().has_value());
    std::ifstream file(std::filesystem::path(configuration + L"\\history.tsv"), std::ios::binary);
    const std::string history{std::istreambuf_iterator<char>(file), {}};
    EXPECT_NE(history.find("\treading\t"), std::string::npos);
    EXPECT_NE(history.find("\theld_cpm\n"), std::string::npos);
}

TEST(EndToEnd, QuitCommandEndsWithExitCodeOne) {
    freshConfigurationFolder();
    RunningProgram program(L"");
    ASSERT_TRUE(program.started());
    const HWND window = program.waitForWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(CommandId::Quit, 0), 0);
    const std::optional<DWORD> code = program.waitForExit();
    ASSERT_TRUE(code.has_value()) << "the program did not end after 終了";
    EXPECT_EQ(*code, 1u);
}

}  // namespace
}  // namespace tavori::win32
