// The settings file: what it writes reads back, each kind of bad content gives the defaults for
// what it does not hold soundly, and the 200 most recently read texts keep their places.
#include <gtest/gtest.h>

#include <string>

#include "settings/settings_file.h"

namespace tavori {
namespace {

using namespace std::literals;

TEST(SettingsFile, WhatIsWrittenReadsBack) {
    StoredSettings settings;
    settings.displayTicks = 3;
    settings.bytesPerLine = 16;
    settings.linesPerScreen = 16;
    settings.mazeSize = 9;
    settings.vertical = true;
    settings.phraseRows = true;
    settings.phrasesPerFlash = 2;
    settings.pacePerMinute = 600;
    settings.textPath = "/home/読者/青空 文庫/a=b.txt";
    settings.templatePath = "C:\\Users\\読者\\t.tvr3";
    settings.places = {{{1048576, 0xfedcba9876543210u}, 524288}, {{12, 1}, 0}};
    const std::string text = formatSettings(settings);
    EXPECT_NE(text.find("display_time=0.3\ncharacters=8\nrows=16\nmaze=8\n"), std::string::npos) << text;
    EXPECT_EQ(parseSettings(text), settings);
    // Long display times keep their one decimal; CR LF line ends, as an editor may leave, read.
    settings.displayTicks = 50;
    std::string crLf;
    for (const char c : formatSettings(settings)) crLf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(parseSettings(crLf), settings);
}

TEST(SettingsFile, WhatIsNotSoundGivesTheDefault) {
    const std::string_view bad[] = {
        "", "\xff\xfe\x00\x01 nonsense"sv, "display_time=0.35\n", "display_time=1.5\n", "display_time=0,5\n",
        "display_time=-0.1\n", "characters=12\n", "characters=8x\n", "rows=0\n", "rows=17\n", "rows=\n",
        "maze=9\n", "vertical=yes\n", "text=\n", "text=/a\x01.txt\n", "text=/\xe3\x81.txt\n", "text=/\xc0\xaf.txt\n",
        "template=\xed\xa0\x80\n", "place=12 0123456789abcdef 12\n", "place=12 0123456789abcde 1\n",
        "place=12 0123456789abcdeg 1\n", "place=-1 0123456789abcdef 0\n", "place=12 0123456789abcdef\n",
        "place=99999999999 0123456789abcdef 1\n", "phrase_rows=2\n", "flash=4\n", "pace=650\n", "pace=-600\n", "# display_time=0.3\n", "Display_time=0.3\n", "=0.3\n",
    };
    for (const std::string_view text : bad) {
        EXPECT_EQ(parseSettings(text), StoredSettings{}) << text;
    }
    // A sound line keeps its value whatever surrounds it; the last sound one of a key wins.
    const StoredSettings mixed = parseSettings("rows=5\ngarbage\nrows=x\n\0\nrows=7\ncharacters=16"sv);
    EXPECT_EQ(mixed.linesPerScreen, 7);
    EXPECT_EQ(mixed.bytesPerLine, 32);
}

TEST(SettingsFile, PlacesKeepTheMostRecentTwoHundred) {
    std::vector<KeptPlace> places;
    for (int text = 0; text <= 200; ++text) keepPlace(places, {{1000, static_cast<std::uint64_t>(text)}, text});
    ASSERT_EQ(places.size(), 200u);
    EXPECT_EQ(placeOf(places, {1000, 0}), std::nullopt);
    EXPECT_EQ(placeOf(places, {1000, 1}), 1);
    // Read again, a text moves to the front with its new place, once.
    keepPlace(places, {{1000, 1}, 50});
    EXPECT_EQ(places.front(), (KeptPlace{{1000, 1}, 50}));
    EXPECT_EQ(places.size(), 200u);
    StoredSettings settings;
    settings.places = places;
    EXPECT_EQ(parseSettings(formatSettings(settings)).places, places);
    // The same content is the same text wherever it lies; one byte more is another.
    EXPECT_EQ(identifyText("本文"), identifyText(std::string("本文")));
    EXPECT_NE(identifyText("本文"), identifyText("本文 "));
}

}  // namespace
}  // namespace tavori
