// The pop-ups' item tables in menu order, and a command's meaning looked up by id across them.
#include "shell/menu.h"

namespace tavori {

namespace {

using enum CommandAction;

constexpr MenuItem kFileItems[] = {{500, "終了", {Quit}}, {941, "記録", {OpenRecord}, {}, true}};

// Display times in ticks of 0.1 s.
constexpr MenuItem kDisplayTimeItems[] = {
    {251, "０．１秒", {SetDisplayTime, 1}},  {252, "０．２秒", {SetDisplayTime, 2}},
    {253, "０．３秒", {SetDisplayTime, 3}},  {254, "０．４秒", {SetDisplayTime, 4}},
    {255, "０．５秒", {SetDisplayTime, 5}},  {256, "０．６秒", {SetDisplayTime, 6}},
    {257, "０．７秒", {SetDisplayTime, 7}},  {258, "０．８秒", {SetDisplayTime, 8}},
    {259, "０．９秒", {SetDisplayTime, 9}},  {260, "１．０秒", {SetDisplayTime, 10}},
    {261, "２．０秒", {SetDisplayTime, 20}}, {262, "３．０秒", {SetDisplayTime, 30}},
    {263, "４．０秒", {SetDisplayTime, 40}}, {264, "５．０秒", {SetDisplayTime, 50}},
    {901, "表示時間を短く", {StepDisplayTime, -1}, "↑", true}, {902, "表示時間を長く", {StepDisplayTime, 1}, "↓"},
    // Each page or flash up for its own characters at this pace.
    {951, "　３００文字/分", {SetPace, 300}, {}, true}, {952, "　４００文字/分", {SetPace, 400}},
    {953, "　５００文字/分", {SetPace, 500}},        {954, "　６００文字/分", {SetPace, 600}},
    {955, "　８００文字/分", {SetPace, 800}},        {956, "１０００文字/分", {SetPace, 1000}},
    {957, "１２００文字/分", {SetPace, 1200}},       {958, "１５００文字/分", {SetPace, 1500}},
    {959, "２０００文字/分", {SetPace, 2000}},       {960, "３０００文字/分", {SetPace, 3000}},
    {961, "５０００文字/分", {SetPace, 5000}},
};

// Widths in bytes: 8 or 16 full-width characters.
constexpr MenuItem kReadingItems[] = {
    {720, "読み込み", {LoadReadingText}},   {738, "　８文字表示", {SetLineWidth, 16}},
    {739, "１６文字表示", {SetLineWidth, 32}}, {721, "　１行表示", {SetLines, 1}},
    {722, "　２行表示", {SetLines, 2}},     {723, "　３行表示", {SetLines, 3}},
    {724, "　４行表示", {SetLines, 4}},     {725, "　５行表示", {SetLines, 5}},
    {726, "　６行表示", {SetLines, 6}},     {727, "　７行表示", {SetLines, 7}},
    {728, "　８行表示", {SetLines, 8}},     {729, "　９行表示", {SetLines, 9}},
    {730, "１０行表示", {SetLines, 10}},    {731, "１１行表示", {SetLines, 11}},
    {732, "１２行表示", {SetLines, 12}},    {733, "１３行表示", {SetLines, 13}},
    {734, "１４行表示", {SetLines, 14}},    {735, "１５行表示", {SetLines, 15}},
    {736, "１６行表示", {SetLines, 16}},
    {911, "一時停止／再開", {PauseOrResume}, "Space", true}, {912, "次のページ", {NextPage}, "→"},
    {913, "前のページ", {PreviousPage}, "←"},        {914, "最初から", {FromTheBeginning}, "Home"},
    {915, "縦書き", {ToggleVertical}},
    {916, "文節で折り返す", {TogglePhraseRows}, {}, true},
    {917, "フレーズ表示　１文節", {SetPhraseFlash, 1}},
    {918, "フレーズ表示　２文節", {SetPhraseFlash, 2}},
    {919, "フレーズ表示　３文節", {SetPhraseFlash, 3}},
    {920, "確認しながら読む", {ToggleCheckedPractice}, {}, true},
};

constexpr MenuItem kImagePracticeItems[] = {
    {851, "イメージ練習データ読み込み", {LoadTemplate}}, {921, "１番目で答える", {AnswerRow, 0}, "1", true},
    {922, "２番目で答える", {AnswerRow, 1}, "2"},      {923, "３番目で答える", {AnswerRow, 2}, "3"},
    {924, "次の問題", {NextQuestion}, "Space"},
};
constexpr MenuItem kPuzzleItems[] = {{737, "パズル", {EnterPuzzle}}};
// The size parameter is one more than the cells across: 8 × 8 and 10 × 10 cells.
constexpr MenuItem kMazeItems[] = {
    {202, "８×８", {SetMazeSize, 9}}, {703, "１０×１０", {SetMazeSize, 11}}, {931, "次の迷路", {NextMaze}, "Space", true}};

// A test on a bundled passage of each level, or on the reader's own text; the last results.
constexpr MenuItem kReadingTestItems[] = {
    {971, "やさしい文章でテスト", {StartReadingTest, 1}}, {972, "ふつうの文章でテスト", {StartReadingTest, 2}},
    {973, "むずかしい文章でテスト", {StartReadingTest, 3}}, {974, "読んでいる文章でテスト", {StartReadingTest, 0}},
    {975, "結果", {ShowTestResults}},
    {976, "次へ", {TestNext}, "Space", true},          {977, "前のページ", {TestPreviousPage}, "←"},
    {978, "１番目で答える", {TestAnswer, 0}, "1"},     {979, "２番目で答える", {TestAnswer, 1}, "2"},
    {980, "３番目で答える", {TestAnswer, 2}, "3"},     {981, "テストをやめる", {AbandonTest}, "Esc"},
};

constexpr MenuItem kHelpItems[] = {{800, "ヘルプ", {OpenHelp}}};

constexpr Popup kMenuBar[] = {
    {"ファイル", kFileItems},         {"表示時間", kDisplayTimeItems},
    {"速読み練習", kReadingItems},     {"イメージ練習", kImagePracticeItems},
    {"パズル", kPuzzleItems},         {"迷路", kMazeItems},
    {"読書テスト", kReadingTestItems}, {"ヘルプ", kHelpItems},
};

}  // namespace

std::span<const Popup> menuBarTable() { return kMenuBar; }

bool isMenuValue(CommandAction action, std::int32_t value) {
    for (const Popup& popup : menuBarTable()) {
        for (const MenuItem& item : popup.items) {
            if (item.meaning.action == action && item.meaning.value == value) {
                return true;
            }
        }
    }
    return false;
}

CommandMeaning commandMeaning(int id) {
    for (const Popup& popup : kMenuBar) {
        for (const MenuItem& item : popup.items) {
            if (item.id == id) {
                return item.meaning;
            }
        }
    }
    return {};
}

std::optional<FileFilter> commandFileFilter(int id) {
    switch (commandMeaning(id).action) {
        case CommandAction::LoadReadingText: return kReadingTextFilter;
        case CommandAction::LoadTemplate: return kTemplateFilter;
        default: return std::nullopt;
    }
}

ItemMark itemMark(CommandAction action) {
    switch (action) {
        case SetDisplayTime:
        case SetLineWidth:
        case SetLines:
        case SetMazeSize:
        case SetPace:
            return ItemMark::Radio;
        case PauseOrResume:
        case ToggleVertical:
        case TogglePhraseRows:
        case SetPhraseFlash:
        case ToggleCheckedPractice:
            return ItemMark::Check;
        default:
            return ItemMark::None;
    }
}

bool repeatsWhenHeld(Key key) {
    switch (key) {
        case Key::Left:
        case Key::Right:
        case Key::Up:
        case Key::Down:
        case Key::PageUp:
        case Key::PageDown:
            return true;
        default:
            return false;
    }
}

CommandAction radioGroupOf(CommandAction action) { return action == SetPace ? SetDisplayTime : action; }

namespace {

// The value of `action`'s items next after `from` the given way, held at the ends.
std::int32_t steppedValue(CommandAction action, std::int32_t from, int direction) {
    std::int32_t nearest = from;
    for (const MenuItem& item : kDisplayTimeItems) {
        const std::int32_t value = item.meaning.value;
        const bool beyond = direction < 0 ? value < from : value > from;
        const bool closer = nearest == from || (direction < 0 ? value > nearest : value < nearest);
        if (item.meaning.action == action && beyond && closer) {
            nearest = value;
        }
    }
    return nearest;
}

}  // namespace

std::int32_t steppedDisplayTicks(std::int32_t displayTicks, int direction) {
    return steppedValue(SetDisplayTime, displayTicks, direction);
}

std::int32_t steppedPace(std::int32_t perMinute, int direction) { return steppedValue(SetPace, perMinute, -direction); }

}  // namespace tavori
