// The menu bar as data: seven pop-ups with their command ids and exact labels (UTF-8).
#include "shell/menu.h"

namespace tavori {

namespace {

constexpr MenuItem kFileItems[] = {{500, "終了"}};

constexpr MenuItem kDisplayTimeItems[] = {
    {251, "０．１秒"}, {252, "０．２秒"}, {253, "０．３秒"}, {254, "０．４秒"}, {255, "０．５秒"},
    {256, "０．６秒"}, {257, "０．７秒"}, {258, "０．８秒"}, {259, "０．９秒"}, {260, "１．０秒"},
    {261, "２．０秒"}, {262, "３．０秒"}, {263, "４．０秒"}, {264, "５．０秒"},
};

constexpr MenuItem kReadingItems[] = {
    {720, "読み込み"},     {738, "　８文字表示"}, {739, "１６文字表示"}, {721, "　１行表示"},
    {722, "　２行表示"},   {723, "　３行表示"},   {724, "　４行表示"},   {725, "　５行表示"},
    {726, "　６行表示"},   {727, "　７行表示"},   {728, "　８行表示"},   {729, "　９行表示"},
    {730, "１０行表示"},   {731, "１１行表示"},   {732, "１２行表示"},   {733, "１３行表示"},
    {734, "１４行表示"},   {735, "１５行表示"},   {736, "１６行表示"},
};

constexpr MenuItem kImagePracticeItems[] = {{851, "イメージ練習データ読み込み"}};
constexpr MenuItem kPuzzleItems[] = {{737, "パズル"}};
constexpr MenuItem kMazeItems[] = {{202, "８×８"}, {703, "１０×１０"}};
constexpr MenuItem kHelpItems[] = {{800, "ヘルプ"}};

constexpr Popup kMenuBar[] = {
    {"ファイル", kFileItems},         {"表示時間", kDisplayTimeItems},
    {"速読み練習", kReadingItems},     {"イメージ練習", kImagePracticeItems},
    {"パズル", kPuzzleItems},         {"迷路", kMazeItems},
    {"ヘルプ", kHelpItems},
};

}  // namespace

std::span<const Popup> menuBarTable() { return kMenuBar; }

}  // namespace tavori
