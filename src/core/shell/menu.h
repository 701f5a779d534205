// The menu bar as data: eight pop-ups with their command ids, exact labels (UTF-8) and what
// each command does.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "common/key.h"
#include "common/platform.h"

namespace tavori {

// Command ids of the menu items.
namespace CommandId {
inline constexpr int Quit = 500;
inline constexpr int DisplayTimeFirst = 251;   // "０．１秒"; 251..260 are 0.1 s .. 1.0 s
inline constexpr int DisplayTimeLast = 264;    // "５．０秒"; 261..264 are 2, 3, 4, 5 s
inline constexpr int LoadReadingText = 720;
inline constexpr int LinesFirst = 721;         // "　１行表示"; 721..736 are 1..16 rows
inline constexpr int LinesLast = 736;
inline constexpr int Puzzle = 737;
inline constexpr int EightCharacters = 738;
inline constexpr int SixteenCharacters = 739;
inline constexpr int Help = 800;
inline constexpr int LoadTemplate = 851;
inline constexpr int MazeSmall = 202;
inline constexpr int MazeLarge = 703;
// The keys' items, after a separator at the end of their pop-ups.
inline constexpr int ShorterDisplayTime = 901;
inline constexpr int LongerDisplayTime = 902;
inline constexpr int PauseOrResume = 911;
inline constexpr int NextPage = 912;
inline constexpr int PreviousPage = 913;
inline constexpr int FromTheBeginning = 914;
inline constexpr int Vertical = 915;  // 縦書き: after the keys' items, with no key of its own
inline constexpr int PhraseRows = 916;     // 文節で折り返す, after a separator at the end of 速読み練習
inline constexpr int PhraseFlashFirst = 917;  // 917..919 flash 1..3 phrases
inline constexpr int CheckedPractice = 920;  // 確認しながら読む, after a separator at the end of 速読み練習
inline constexpr int PaceFirst = 951;  // 951..961: the paces in 文字/分, after a separator in 表示時間
inline constexpr int PaceLast = 961;
// 読書テスト, a pop-up of its own before ヘルプ.
inline constexpr int TestEasy = 971;      // 971..973: a bundled passage of level 1..3
inline constexpr int TestOwnText = 974;   // the reading text from its kept place
inline constexpr int TestResults = 975;
inline constexpr int TestNext = 976;      // start, turn the page, go on
inline constexpr int TestPreviousPage = 977;
inline constexpr int TestAnswerFirst = 978;  // 978..980 answer with row 1..3
inline constexpr int TestAbandon = 981;
inline constexpr int AnswerFirst = 921;   // 921..923 answer with row 1..3
inline constexpr int NextQuestion = 924;
inline constexpr int NextMaze = 931;
inline constexpr int Record = 941;  // after a separator at the end of ファイル

// The display-time item of `tenths` × 0.1 s (1 … 10), of `seconds` s (2 … 5), and the item
// of `rows` rows (1 … 16).
constexpr int displayTenths(int tenths) { return DisplayTimeFirst - 1 + tenths; }
constexpr int displaySeconds(int seconds) { return DisplayTimeLast - 5 + seconds; }
constexpr int lines(int rows) { return LinesFirst - 1 + rows; }
}  // namespace CommandId

enum class CommandAction {
    None,
    Quit,
    SetDisplayTime,   // value: display ticks
    LoadReadingText,
    SetLineWidth,     // value: bytes per line
    SetLines,         // value: rows per screen
    LoadTemplate,
    EnterPuzzle,
    SetMazeSize,      // value: the size parameter
    OpenHelp,
    StepDisplayTime,  // value: −1 one display time shorter, +1 longer
    PauseOrResume,
    NextPage,
    PreviousPage,
    FromTheBeginning,
    AnswerRow,        // value: row 0..2
    NextQuestion,
    NextMaze,
    OpenRecord,       // the report of the practice record
    ToggleVertical,   // pages in columns (縦書き) or in rows
    TogglePhraseRows, // rows cut at phrase boundaries (文節で折り返す)
    SetPhraseFlash,   // value: phrases per flash, 1..3 (chosen again: pages once more)
    SetPace,          // value: 文字/分
    ToggleCheckedPractice,  // a question after each stretch read, the pace set by the answers
    StartReadingTest, // value: the passage's level 1..3, or 0 for the reading text
    ShowTestResults,
    TestNext,
    TestPreviousPage,
    TestAnswer,       // value: row 0..2
    AbandonTest,
};

// What a command does, with its figure: written once, in the menu table.
struct CommandMeaning {
    CommandAction action = CommandAction::None;
    std::int32_t value = 0;
};

struct MenuItem {
    int id;
    std::string_view label;
    CommandMeaning meaning;
    // The key shown beside the label ("Space", "←"), and whether a separator comes before it.
    std::string_view shortcut = {};
    bool afterSeparator = false;
};

struct Popup {
    std::string_view label;
    std::span<const MenuItem> items;
};

// Left to right, as the front ends build the menu bar. One-digit labels are padded with the
// ideographic space U+3000 so the columns line up.
std::span<const Popup> menuBarTable();

// The meaning of the menu item with this id; None for an id on no item.
CommandMeaning commandMeaning(int id);

// Whether some item of the menus sets this value (a display time, width, row count or maze
// size that a reader can choose).
bool isMenuValue(CommandAction action, std::int32_t value);

// The mark an item shows: a radio mark on the one value in force of several (display time,
// width, rows, maze size), a check while it holds (the pause, 縦書き), or none.
enum class ItemMark { None, Radio, Check };
ItemMark itemMark(CommandAction action);
// The radio group an action's items belong to: the paces share the display times' group, one
// of them in force at a time.
CommandAction radioGroupOf(CommandAction action);

// Held down, the arrows and page keys go on paging and stepping; a held Space, Return, Home or
// digit counts once, so the pause does not flicker and an answer is not given twice.
bool repeatsWhenHeld(Key key);

// The filters of the open-file dialogs of 読み込み and イメージ練習データ読み込み.
inline constexpr FileFilter kReadingTextFilter{"txt Files(*.txt)", "*.txt"};
inline constexpr FileFilter kTemplateFilter{"tvr3 Files(*.tvr3)", "*.tvr3"};
// The filter of the dialog a command opens, if it opens one: a front end whose file picker
// cannot wait inside the command (a browser's) asks for the file first.
std::optional<FileFilter> commandFileFilter(int id);

// The display time one step shorter (−1) or longer (+1) along the menu's values, held at the
// ends; a time between the values moves to the nearest one that way.
std::int32_t steppedDisplayTicks(std::int32_t displayTicks, int direction);
// The pace one step along the menu's paces the same way: a shorter display is a faster pace.
std::int32_t steppedPace(std::int32_t perMinute, int direction);

}  // namespace tavori
