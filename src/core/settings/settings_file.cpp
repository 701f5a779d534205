// Lines split at the first '=', values checked against the menus' own, paths taken only as
// clean UTF-8, places as three numbers; FNV-1a over the text's bytes for its identity.
#include "settings/settings_file.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "common/utf8.h"
#include "shell/menu.h"

namespace tavori {

namespace {

constexpr std::string_view kHeading =
    "# tavori の設定。このファイルを消すと、次の起動は初めての起動と同じになります。\n";

// A whole number in [0, most], and nothing else on the line.
std::optional<std::int64_t> number(std::string_view text, std::int64_t most) {
    // Digits only: no sign, no space.
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return std::nullopt;
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > most) {
        return std::nullopt;
    }
    return value;
}

// The display time in seconds with one decimal, "0.5" or "10.0": ticks of 0.1 s.
std::optional<std::int32_t> displayTicksFrom(std::string_view text) {
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos || point + 2 != text.size()) {
        return std::nullopt;
    }
    const auto whole = number(text.substr(0, point), 1000);
    const auto tenth = number(text.substr(point + 1), 9);
    if (!whole || !tenth) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*whole * 10 + *tenth);
}

std::optional<std::int32_t> menuValue(CommandAction action, std::optional<std::int64_t> value) {
    if (!value || !isMenuValue(action, static_cast<std::int32_t>(*value))) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*value);
}

// Well-formed UTF-8 with no control character: a path the program wrote, not noise.
bool isCleanUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8SequenceLength(text, at);
        const auto lead = static_cast<unsigned char>(text[at]);
        if (length == 0 || (length == 1 && (lead < 0x20 || lead == 0x7F))) {
            return false;
        }
        at += length;
    }
    return true;
}

std::optional<KeptPlace> placeFrom(std::string_view text) {
    const std::size_t first = text.find(' ');
    const std::size_t second = first == std::string_view::npos ? first : text.find(' ', first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    const auto length = number(text.substr(0, first), std::numeric_limits<std::int32_t>::max());
    const std::string_view hashText = text.substr(first + 1, second - first - 1);
    std::uint64_t hash = 0;
    const auto [end, error] = std::from_chars(hashText.data(), hashText.data() + hashText.size(), hash, 16);
    const auto start = number(text.substr(second + 1), std::numeric_limits<std::int32_t>::max());
    if (!length || !start || *start >= std::max<std::int64_t>(*length, 1) || hashText.size() != 16 ||
        error != std::errc() || end != hashText.data() + hashText.size()) {
        return std::nullopt;
    }
    return KeptPlace{{*length, hash}, *start};
}

void take(StoredSettings& settings, std::string_view key, std::string_view value) {
    if (key == "display_time") {
        if (const auto ticks = displayTicksFrom(value); ticks && isMenuValue(CommandAction::SetDisplayTime, *ticks)) {
            settings.displayTicks = ticks;
        }
    } else if (key == "characters") {
        // Eight full-width characters are 16 bytes.
        const auto characters = number(value, 64);
        if (const auto bytes = menuValue(CommandAction::SetLineWidth, characters ? std::optional(*characters * 2) : std::nullopt)) {
            settings.bytesPerLine = bytes;
        }
    } else if (key == "rows") {
        if (const auto rows = menuValue(CommandAction::SetLines, number(value, 64))) {
            settings.linesPerScreen = rows;
        }
    } else if (key == "maze") {
        // A maze of 10 × 10 cells has the size parameter 11.
        const auto cells = number(value, 1000);
        if (const auto size = menuValue(CommandAction::SetMazeSize, cells ? std::optional(*cells + 1) : std::nullopt)) {
            settings.mazeSize = size;
        }
    } else if (key == "vertical" || key == "phrase_rows" || key == "checked") {
        if (value == "0" || value == "1") {
            (key == "vertical" ? settings.vertical : key == "checked" ? settings.checkedPractice : settings.phraseRows) = value == "1";
        }
    } else if (key == "flash") {
        if (const auto phrases = value == "0" ? std::optional<std::int32_t>(0) : menuValue(CommandAction::SetPhraseFlash, number(value, 9))) {
            settings.phrasesPerFlash = phrases;
        }
    } else if (key == "pace") {
        if (const auto pace = value == "0" ? std::optional<std::int32_t>(0) : menuValue(CommandAction::SetPace, number(value, 100000))) {
            settings.pacePerMinute = pace;
        }
    } else if (key == "text" || key == "template") {
        if (!value.empty() && isCleanUtf8(value)) {
            (key == "text" ? settings.textPath : settings.templatePath) = std::string(value);
        }
    } else if (key == "place" && settings.places.size() < kKeptPlaces) {
        const auto place = placeFrom(value);
        if (place && !placeOf(settings.places, place->text)) {
            settings.places.push_back(*place);
        }
    }
}

std::string hex16(std::uint64_t value) {
    std::string text(16, '0');
    for (std::size_t i = 16; i-- > 0; value >>= 4) {
        text[i] = "0123456789abcdef"[value & 0xF];
    }
    return text;
}

}  // namespace

TextIdentity identifyText(std::string_view text) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char byte : text) {
        hash = (hash ^ static_cast<unsigned char>(byte)) * 0x100000001b3u;
    }
    return {static_cast<std::int64_t>(text.size()), hash};
}

StoredSettings parseSettings(std::string_view bytes) {
    StoredSettings settings;
    while (!bytes.empty()) {
        const std::size_t end = std::min(bytes.find('\n'), bytes.size());
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
        // An editor on Windows may have given the file CR LF line ends.
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos && !line.starts_with('#')) {
            take(settings, line.substr(0, equals), line.substr(equals + 1));
        }
    }
    return settings;
}

std::string formatSettings(const StoredSettings& settings) {
    std::string text(kHeading);
    const auto line = [&text](std::string_view key, const std::string& value) {
        text.append(key).append("=").append(value).append("\n");
    };
    if (settings.displayTicks) {
        line("display_time", std::to_string(*settings.displayTicks / 10) + "." + std::to_string(*settings.displayTicks % 10));
    }
    if (settings.bytesPerLine) line("characters", std::to_string(*settings.bytesPerLine / 2));
    if (settings.linesPerScreen) line("rows", std::to_string(*settings.linesPerScreen));
    if (settings.mazeSize) line("maze", std::to_string(*settings.mazeSize - 1));
    if (settings.vertical) line("vertical", *settings.vertical ? "1" : "0");
    if (settings.phraseRows) line("phrase_rows", *settings.phraseRows ? "1" : "0");
    if (settings.phrasesPerFlash) line("flash", std::to_string(*settings.phrasesPerFlash));
    if (settings.pacePerMinute) line("pace", std::to_string(*settings.pacePerMinute));
    if (settings.checkedPractice) line("checked", *settings.checkedPractice ? "1" : "0");
    // A path that could not be read back whole (a line end in it, bytes that are not UTF-8) is
    // not kept: the next run starts with the text beside the program instead.
    if (settings.textPath && isCleanUtf8(*settings.textPath)) line("text", *settings.textPath);
    if (settings.templatePath && isCleanUtf8(*settings.templatePath)) line("template", *settings.templatePath);
    for (const KeptPlace& place : settings.places) {
        line("place", std::to_string(place.text.length) + " " + hex16(place.text.hash) + " " + std::to_string(place.pageStart));
    }
    return text;
}

void keepPlace(std::vector<KeptPlace>& places, KeptPlace place) {
    std::erase_if(places, [&place](const KeptPlace& kept) { return kept.text == place.text; });
    places.insert(places.begin(), place);
    if (places.size() > kKeptPlaces) {
        places.resize(kKeptPlaces);
    }
}

std::optional<std::int64_t> placeOf(const std::vector<KeptPlace>& places, TextIdentity text) {
    const auto found = std::find_if(places.begin(), places.end(), [&text](const KeptPlace& kept) { return kept.text == text; });
    return found == places.end() ? std::nullopt : std::optional(found->pageStart);
}

}  // namespace tavori
