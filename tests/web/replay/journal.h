// A browser page's journal of calls into the core, replayed over the fake platform and the raster
// canvas, so the page's picture can be compared with the one the same calls give natively.
#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "cell_tracker.h"

namespace tavori::replay {

// A journal that is not what the page writes: the replay stops at its first such entry.
class JournalError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ReplayInput {
    std::uint32_t seed = 0;
    // The journal's JSON text: an array of entries such as ["start", 1000, 600] or ["tick"].
    std::string journal = {};
    // The bundled data files by name, put beside the executable.
    std::map<std::string, std::string> dataFiles = {};
    // What the page's storage held at start-up, by stored-file name.
    std::map<std::string, std::string, std::less<>> storedFiles = {};
    // Whether the window closes after the last entry, as when the page is left.
    bool closeAtEnd = false;
};

struct ReplayResult {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;  // row-major, width × height
    std::vector<VisibleCell> cells;
    // The status line, the items with a check mark and the items that cannot be chosen, by id,
    // after the last entry.
    std::string status;
    std::vector<int> checked;
    std::vector<int> unavailable;
    std::map<std::string, std::string, std::less<>> storedFiles;  // as the replay left them
};

// Throws JournalError for a malformed journal; an entry's place in it is in the message.
ReplayResult replayJournal(const ReplayInput& input);

// Standard base64 with padding; throws JournalError for anything else.
std::string decodeBase64(std::string_view text);

// The result as the browser tests read it: {"width","height","status","checked","unavailable",
// "cells":[...]}.
std::string cellsJson(const ReplayResult& result);

}  // namespace tavori::replay
