// The menu table: seven pop-ups, every id once, labels exactly as the reader sees them.
#include <gtest/gtest.h>

#include <iterator>
#include <set>

#include "shell/menu.h"

namespace tavori {
namespace {

TEST(MenuTable, SevenPopupsInOrder) {
    const auto popups = menuBarTable();
    ASSERT_EQ(popups.size(), 7u);
    const char* labels[] = {"ファイル", "表示時間", "速読み練習", "イメージ練習", "パズル", "迷路", "ヘルプ"};
    for (std::size_t index = 0; index < popups.size(); ++index) {
        EXPECT_EQ(popups[index].label, labels[index]);
    }
    // Each pop-up's own items, then the added items after a separator, with ids of their own
    // and their keys shown (the record's item and 縦書き have none).
    const std::size_t itemCounts[] = {1, 14, 19, 1, 1, 2, 1};
    const std::size_t keyItemCounts[] = {1, 2, 5, 4, 0, 1, 0};
    for (std::size_t index = 0; index < popups.size(); ++index) {
        const auto items = popups[index].items;
        ASSERT_EQ(items.size(), itemCounts[index] + keyItemCounts[index]) << popups[index].label;
        for (std::size_t item = 0; item < items.size(); ++item) {
            const bool keys = item >= itemCounts[index];
            EXPECT_EQ(items[item].afterSeparator, item == itemCounts[index]) << items[item].id;
            EXPECT_EQ(!items[item].shortcut.empty(), keys && items[item].id != 941 && items[item].id != 915) << items[item].id;
            EXPECT_EQ(items[item].id >= 900, keys) << items[item].id;
        }
    }
}

TEST(MenuTable, DisplayTimesStepAlongTheMenu) {
    // From, which way, to: held at both ends, and from between two values to the nearer one.
    const int steps[][3] = {{1, -1, 1}, {1, 1, 2}, {10, 1, 20}, {20, -1, 10}, {50, 1, 50}, {15, -1, 10}, {15, 1, 20}};
    for (const auto& [from, direction, to] : steps) {
        EXPECT_EQ(steppedDisplayTicks(from, direction), to) << from << " " << direction;
    }
}

TEST(MenuTable, ReadingMenuOrderAndIdeographicPadding) {
    const auto reading = menuBarTable()[2].items;
    const int ids[] = {720, 738, 739, 721, 722, 723, 724, 725, 726, 727,
                       728, 729, 730, 731, 732, 733, 734, 735, 736};
    for (std::size_t index = 0; index < std::size(ids); ++index) {
        EXPECT_EQ(reading[index].id, ids[index]);
    }
    EXPECT_EQ(reading[1].label, "\xE3\x80\x80８文字表示");  // U+3000 pads one digit
    EXPECT_EQ(reading[3].label, "\xE3\x80\x80１行表示");
    EXPECT_EQ(reading[11].label, "\xE3\x80\x80９行表示");
    EXPECT_EQ(reading[12].label, "１０行表示");
    EXPECT_EQ(reading[2].label, "１６文字表示");
    // 縦書き closes the pop-up, after 最初から, with a check mark while it holds.
    EXPECT_EQ(reading.back().id, CommandId::Vertical);
    EXPECT_EQ(reading[reading.size() - 2].id, CommandId::FromTheBeginning);
    EXPECT_EQ(reading.back().label, "縦書き");
    EXPECT_EQ(itemMark(reading.back().meaning.action), ItemMark::Check);
}

TEST(MenuTable, DisplayTimesAndOtherItems) {
    const auto times = menuBarTable()[1].items;
    EXPECT_EQ(times[0].id, 251);
    EXPECT_EQ(times[0].label, "０．１秒");
    EXPECT_EQ(times[9].id, 260);
    EXPECT_EQ(times[9].label, "１．０秒");
    EXPECT_EQ(times[13].id, 264);
    EXPECT_EQ(times[13].label, "５．０秒");
    EXPECT_EQ(menuBarTable()[0].items[0].id, 500);
    EXPECT_EQ(menuBarTable()[0].items[0].label, "終了");
    EXPECT_EQ(menuBarTable()[3].items[0].id, 851);
    EXPECT_EQ(menuBarTable()[3].items[0].label, "イメージ練習データ読み込み");
    EXPECT_EQ(menuBarTable()[4].items[0].id, 737);
    EXPECT_EQ(menuBarTable()[5].items[0].id, 202);
    EXPECT_EQ(menuBarTable()[5].items[0].label, "８×８");
    EXPECT_EQ(menuBarTable()[5].items[1].id, 703);
    EXPECT_EQ(menuBarTable()[5].items[1].label, "１０×１０");
    EXPECT_EQ(menuBarTable()[6].items[0].id, 800);
}

TEST(MenuTable, EveryIdAppearsOnce) {
    std::set<int> ids;
    std::size_t total = 0;
    for (const auto& popup : menuBarTable()) {
        for (const auto& item : popup.items) {
            ids.insert(item.id);
            ++total;
        }
    }
    EXPECT_EQ(ids.size(), total);
    EXPECT_EQ(total, 52u);
}

}  // namespace
}  // namespace tavori
