// The settings kept between runs and the place in each text, as the file settings.txt holds
// them: plain UTF-8 "key=value" lines a person can read and edit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavori {

inline constexpr std::string_view kSettingsFileName = "settings.txt";
// Far more than 200 places and two paths need; a larger file is not ours to trust.
inline constexpr std::int64_t kSettingsFileLimit = 1 << 20;
inline constexpr std::size_t kKeptPlaces = 200;

// A reading text is known by its content after loading (so a moved novel keeps its place and
// an edited one starts afresh), and its place is the start of the page on screen.
struct TextIdentity {
    std::int64_t length = 0;
    std::uint64_t hash = 0;
    bool operator==(const TextIdentity&) const = default;
};
TextIdentity identifyText(std::string_view text);

struct KeptPlace {
    TextIdentity text;
    std::int64_t pageStart = 0;
    bool operator==(const KeptPlace&) const = default;
};

// Each value is the menu's own (display time in ticks, row width in bytes, the maze's size
// parameter); nothing where the file held no sound value.
struct StoredSettings {
    std::optional<std::int32_t> displayTicks;
    std::optional<std::int32_t> bytesPerLine;
    std::optional<std::int32_t> linesPerScreen;
    std::optional<std::int32_t> mazeSize;
    std::optional<bool> vertical;
    std::optional<bool> phraseRows;
    std::optional<bool> checkedPractice;  // 確認しながら読む
    std::optional<std::int32_t> phrasesPerFlash;  // 0: pages
    std::optional<std::int32_t> pacePerMinute;    // 0: seconds per page
    std::optional<std::string> textPath;
    std::optional<std::string> templatePath;
    std::vector<KeptPlace> places;  // the most recently read first, at most kKeptPlaces

    bool operator==(const StoredSettings&) const = default;
};

// Reads what it can: a line that is not "key=value" with a known key and a sound value is
// passed over, a later line for the same key wins, places past the 200th are dropped.
StoredSettings parseSettings(std::string_view bytes);
std::string formatSettings(const StoredSettings& settings);

// Puts the text's place first, replacing its older one and dropping the oldest past 200.
void keepPlace(std::vector<KeptPlace>& places, KeptPlace place);
std::optional<std::int64_t> placeOf(const std::vector<KeptPlace>& places, TextIdentity text);

}  // namespace tavori
