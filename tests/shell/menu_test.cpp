// The menu table's invariants: every id once and in its range, each item's meaning found again by
// its id, added items after their pop-up's separator, and the display times stepping along it.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string_view>

#include "shell/exercises.h"
#include "shell/menu.h"

namespace tavori {
namespace {

// Ids the program adds to its pop-ups start here, clear of the original items' 200 … 899.
constexpr int kFirstAddedId = 900;

std::size_t codePoints(std::string_view utf8) {
    std::size_t count = 0;
    for (const char byte : utf8) count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    return count;
}

TEST(MenuTable, IdsAreUniqueAndAddedItemsFollowTheirPopupsSeparator) {
    std::set<int> ids;
    for (const Popup& popup : menuBarTable()) {
        // A pop-up the program added is its own: none of its items is an original one.
        bool pastSeparator = popup.items.front().id >= kFirstAddedId;
        for (const MenuItem& item : popup.items) {
            EXPECT_TRUE(ids.insert(item.id).second) << "id " << item.id << " twice";
            EXPECT_GE(item.id, 200) << item.label;
            pastSeparator = pastSeparator || item.afterSeparator;
            // The original items come first, in their order; whatever is added comes after one
            // separator, and only an added item shows a key.
            EXPECT_EQ(item.id >= kFirstAddedId, pastSeparator) << item.label;
            EXPECT_TRUE(item.shortcut.empty() || item.id >= kFirstAddedId) << item.label;
            EXPECT_FALSE(item.label.empty()) << item.id;
        }
    }
    EXPECT_EQ(commandMeaning(0).action, CommandAction::None);
    EXPECT_EQ(commandMeaning(kFirstAddedId - 1).action, CommandAction::None);
}

TEST(MenuTable, EachItemsMeaningIsFoundByItsIdAndValuedItemsSitInTheirRanges) {
    for (const Popup& popup : menuBarTable()) {
        std::map<CommandAction, std::size_t> groupWidth;
        for (const MenuItem& item : popup.items) {
            const CommandMeaning found = commandMeaning(item.id);
            EXPECT_EQ(found.action, item.meaning.action) << item.id;
            EXPECT_EQ(found.value, item.meaning.value) << item.id;
            EXPECT_TRUE(isMenuValue(item.meaning.action, item.meaning.value)) << item.id;
            const std::int32_t value = item.meaning.value;
            switch (item.meaning.action) {
                case CommandAction::SetDisplayTime:
                    EXPECT_EQ(item.id, value <= 10 ? CommandId::displayTenths(value) : CommandId::displaySeconds(value / 10));
                    EXPECT_TRUE(value <= 10 || value % 10 == 0) << item.id;
                    break;
                case CommandAction::SetLines:
                    EXPECT_EQ(item.id, CommandId::lines(value));
                    break;
                case CommandAction::SetLineWidth:
                    EXPECT_EQ(item.id, value == 16 ? CommandId::EightCharacters : CommandId::SixteenCharacters);
                    break;
                case CommandAction::AnswerRow:
                    EXPECT_EQ(item.id, CommandId::AnswerFirst + value);
                    break;
                default:
                    break;
            }
            // The rows', widths' and times' labels keep one column: one-digit figures are padded.
            if (itemMark(item.meaning.action) == ItemMark::Radio && item.meaning.action != CommandAction::SetMazeSize) {
                const std::size_t width = groupWidth.try_emplace(item.meaning.action, codePoints(item.label)).first->second;
                EXPECT_EQ(codePoints(item.label), width) << item.label;
            }
        }
    }
}

TEST(MenuTable, EveryExercisesKeyGivesAnItemThatShowsAKeyAndOnlyMovingKeysRepeat) {
    for (const auto& exercise : makeExercises()) {
        for (const KeyBinding& binding : exercise->keys()) {
            bool shown = false;
            for (const Popup& popup : menuBarTable()) {
                for (const MenuItem& item : popup.items) shown = shown || (item.id == binding.command && !item.shortcut.empty());
            }
            EXPECT_TRUE(shown) << "key for id " << binding.command;
        }
    }
    const Key keys[] = {Key::Space, Key::Return, Key::Left, Key::Right, Key::Up, Key::Down,
                        Key::PageUp, Key::PageDown, Key::Home, Key::One, Key::Two, Key::Three};
    for (const Key key : keys) {
        const bool moving = key == Key::Left || key == Key::Right || key == Key::Up || key == Key::Down ||
                            key == Key::PageUp || key == Key::PageDown;
        EXPECT_EQ(repeatsWhenHeld(key), moving);
    }
}

TEST(MenuTable, DisplayTimesStepAlongTheMenu) {
    // From, which way, to: held at both ends, and from between two values to the nearer one.
    const int steps[][3] = {{1, -1, 1}, {1, 1, 2}, {10, 1, 20}, {20, -1, 10}, {50, 1, 50}, {15, -1, 10}, {15, 1, 20}};
    for (const auto& [from, direction, to] : steps) {
        EXPECT_EQ(steppedDisplayTicks(from, direction), to) << from << " " << direction;
    }
    // A shorter display is a faster pace.
    const int paces[][3] = {{300, 1, 300}, {300, -1, 400}, {5000, -1, 5000}, {3000, -1, 5000}, {650, 1, 600}};
    for (const auto& [from, direction, to] : paces) {
        EXPECT_EQ(steppedPace(from, direction), to) << from << " " << direction;
    }
}

}  // namespace
}  // namespace tavori
