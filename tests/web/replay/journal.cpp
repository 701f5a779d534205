// The journal's entries replayed one by one into an App over the fake platform.
#include "journal.h"

#include <algorithm>
#include <array>
#include <limits>
#include <memory>

#include <nlohmann/json.hpp>

#include "dom_key.h"
#include "shell/app.h"
#include "shell/menu.h"
#include "support/fake_platform.h"

namespace tavori::replay {

namespace {

using nlohmann::json;

// The path the page gives its program, so the bundled files are found beside it.
constexpr const char* kExecutablePath = "/tavori/tavori";

// The fake platform with its two canvases behind cell trackers.
class ReplayPlatform : public testing::FakePlatform {
public:
    ReplayPlatform() : window_(window(), book_), work_(work(), book_) { exePath = kExecutablePath; }

    Canvas& windowCanvas() override { return window_; }
    Canvas& workBitmap() override { return work_; }

    void resizeClient(int width, int height) {
        setClientSize(width, height);
        window_.reset();
    }
    const CellTracker& windowCells() const { return window_; }

private:
    CellBook book_;
    CellTracker window_;
    CellTracker work_;
};

[[noreturn]] void fail(std::size_t index, const std::string& what) {
    throw JournalError("entry " + std::to_string(index) + ": " + what);
}

int integerAt(const json& entry, std::size_t at, std::size_t index) {
    const json& value = entry.at(at);
    if (!value.is_number_integer()) {
        fail(index, "argument " + std::to_string(at) + " is not an integer");
    }
    const auto number = value.get<std::int64_t>();
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max()) {
        fail(index, "argument " + std::to_string(at) + " is out of range");
    }
    return static_cast<int>(number);
}

std::string stringAt(const json& entry, std::size_t at, std::size_t index) {
    const json& value = entry.at(at);
    if (!value.is_string()) {
        fail(index, "argument " + std::to_string(at) + " is not a string");
    }
    return value.get<std::string>();
}

int sextet(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

}  // namespace

std::string decodeBase64(std::string_view text) {
    if (text.size() % 4 != 0) {
        throw JournalError("base64 length is not a multiple of 4");
    }
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    for (std::size_t at = 0; at < text.size(); at += 4) {
        const bool last = at + 4 == text.size();
        const int padding = last ? (text[at + 3] == '=') + (text[at + 2] == '=') : 0;
        if (padding == 1 && text[at + 2] == '=') {
            throw JournalError("base64 padding in the wrong place");
        }
        std::uint32_t group = 0;
        for (int digit = 0; digit < 4; ++digit) {
            const int value = digit >= 4 - padding ? 0 : sextet(text[at + static_cast<std::size_t>(digit)]);
            if (value < 0) {
                throw JournalError("not a base64 digit at " + std::to_string(at + static_cast<std::size_t>(digit)));
            }
            group = group << 6 | static_cast<std::uint32_t>(value);
        }
        bytes += static_cast<char>(group >> 16 & 0xFF);
        if (padding < 2) bytes += static_cast<char>(group >> 8 & 0xFF);
        if (padding < 1) bytes += static_cast<char>(group & 0xFF);
    }
    return bytes;
}

ReplayResult replayJournal(const ReplayInput& input) {
    json entries;
    try {
        entries = json::parse(input.journal);
    } catch (const json::parse_error& error) {
        throw JournalError(std::string("not JSON: ") + error.what());
    }
    if (!entries.is_array() || entries.empty()) {
        throw JournalError("the journal is not a non-empty array");
    }

    ReplayPlatform platform;
    for (const auto& [name, content] : input.dataFiles) {
        platform.addFile(platform.besideExecutable(name), content);
    }
    platform.storedFiles = input.storedFiles;
    App app(platform, AppConfig{input.seed, ""});
    bool started = false;

    for (std::size_t index = 0; index < entries.size(); ++index) {
        const json& entry = entries[index];
        if (!entry.is_array() || entry.empty() || !entry[0].is_string()) {
            fail(index, "not an array that starts with its kind");
        }
        const std::string kind = entry[0].get<std::string>();
        static constexpr std::array<std::pair<std::string_view, std::size_t>, 12> kArity{{
            {"start", 3}, {"tick", 1}, {"steps", 2}, {"command", 2}, {"choose", 2}, {"file", 3}, {"key", 2},
            {"down", 3}, {"move", 3}, {"up", 3}, {"resize", 3}, {"paint", 1},
        }};
        const auto known = std::find_if(kArity.begin(), kArity.end(), [&](const auto& k) { return k.first == kind; });
        if (known == kArity.end()) {
            fail(index, "unknown kind \"" + kind + "\"");
        }
        if (entry.size() != known->second) {
            fail(index, "\"" + kind + "\" takes " + std::to_string(known->second - 1) + " arguments");
        }
        // Picked files the page kept from an earlier visit are put before the start.
        if (kind == "start" ? started : !started && kind != "file") {
            fail(index, "the journal has one \"start\", after nothing but files");
        }

        if (kind == "start") {
            platform.resizeClient(integerAt(entry, 1, index), integerAt(entry, 2, index));
            app.startUp();
            started = true;
        } else if (kind == "tick") {
            app.tick();
        } else if (kind == "steps") {
            // Steps the page slept through and handed over at once are run here one by one, so
            // the comparison shows the two alike. A day of them at most.
            const int count = integerAt(entry, 1, index);
            if (count < 1 || count > 864'000) fail(index, "\"steps\" takes a count of 1 to 864000");
            for (int step = 0; step < count; ++step) app.tick();
        } else if (kind == "command") {
            app.command(integerAt(entry, 1, index));
        } else if (kind == "choose") {
            // The page holds one answer, for the next dialog only.
            platform.dialogAnswers.clear();
            if (entry[1].is_null()) {
                platform.dialogAnswers.push_back(std::nullopt);
            } else {
                platform.dialogAnswers.push_back(stringAt(entry, 1, index));
            }
        } else if (kind == "file") {
            try {
                platform.addFile(stringAt(entry, 1, index), decodeBase64(stringAt(entry, 2, index)));
            } catch (const JournalError& error) {
                fail(index, error.what());
            }
        } else if (kind == "key") {
            const std::string name = stringAt(entry, 1, index);
            const auto key = web::keyFromDomName(name);
            if (!key) {
                fail(index, "\"" + name + "\" is no exercise key");
            }
            app.key(*key);
        } else if (kind == "down") {
            app.mouseDown(integerAt(entry, 1, index), integerAt(entry, 2, index));
        } else if (kind == "move") {
            app.mouseMove(integerAt(entry, 1, index), integerAt(entry, 2, index));
        } else if (kind == "up") {
            app.mouseUp(integerAt(entry, 1, index), integerAt(entry, 2, index));
        } else if (kind == "resize") {
            platform.resizeClient(integerAt(entry, 1, index), integerAt(entry, 2, index));
        } else {
            app.paint();
        }
    }

    if (!started) {
        throw JournalError("the journal has no \"start\"");
    }
    ReplayResult result;
    result.status = app.statusLine();
    for (const Popup& popup : menuBarTable()) {
        for (const MenuItem& item : popup.items) {
            if (app.commandChecked(item.id)) result.checked.push_back(item.id);
            if (!app.commandAvailable(item.id)) result.unavailable.push_back(item.id);
        }
    }
    if (input.closeAtEnd) {
        app.destroy();
    }
    const testing::RasterCanvas& raster = platform.window();
    result.width = raster.width();
    result.height = raster.height();
    result.pixels.reserve(static_cast<std::size_t>(result.width) * static_cast<std::size_t>(result.height));
    for (int y = 0; y < result.height; ++y) {
        for (int x = 0; x < result.width; ++x) {
            result.pixels.push_back(raster.pixel(x, y));
        }
    }
    result.cells = platform.windowCells().visibleCells();
    result.storedFiles = platform.storedFiles;
    return result;
}

std::string cellsJson(const ReplayResult& result) {
    const auto colour = [](Colour c) { return json::array({redOf(c), greenOf(c), blueOf(c)}); };
    json cells = json::array();
    for (const VisibleCell& cell : result.cells) {
        json parts = json::array();
        for (const Rect& part : cell.parts) {
            parts.push_back({part.x, part.y, part.width, part.height});
        }
        cells.push_back({{"x", cell.cell.x},
                         {"y", cell.cell.y},
                         {"w", cell.cell.width},
                         {"h", cell.cell.height},
                         {"ink", cell.ink},
                         {"glyph", cell.glyph},
                         {"whole", cell.whole},
                         {"bg", colour(cell.background)},
                         {"fg", colour(cell.foreground)},
                         {"parts", std::move(parts)}});
    }
    return json{{"width", result.width},        {"height", result.height},
                {"status", result.status},      {"checked", result.checked},
                {"unavailable", result.unavailable}, {"cells", std::move(cells)}}
        .dump();
}

}  // namespace tavori::replay
