// tavori_replay: replays a browser page's journal natively and writes the picture and its text
// cells, for the browser tests to compare with what the page showed.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "base64.h"
#include "journal.h"

namespace {

using tavori::replay::JournalError;

constexpr std::string_view kUsage =
    "usage: tavori_replay --seed N --journal J.json --data DIR --out OUT.json --picture OUT.rgba\n"
    "                     [--stored IN.json] [--stored-out OUT.json] [--close]\n"
    "  --stored      the page's storage at start-up: {\"name\": \"<base64>\", ...}\n"
    "  --stored-out  the storage as the replay left it, in the same form\n"
    "  --close       the window closes after the last entry, as when the page is left\n";

std::string readWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeWhole(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::uint32_t parseSeed(const std::string& text) {
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || text[0] == '-' || *end != '\0' || errno != 0 || value > 0xFFFFFFFFull) {
        throw std::runtime_error("--seed takes a decimal uint32, not \"" + text + "\"");
    }
    return static_cast<std::uint32_t>(value);
}

}  // namespace

int main(int argc, char** argv) {
    std::string seed, journal, data, out, picture, stored, storedOut;
    const std::pair<std::string_view, std::string*> options[] = {
        {"--seed", &seed},       {"--journal", &journal}, {"--data", &data},           {"--out", &out},
        {"--picture", &picture}, {"--stored", &stored},   {"--stored-out", &storedOut},
    };
    bool close = false;
    for (int at = 1; at < argc; at += 2) {
        const std::string_view name = argv[at];
        if (name == "--close") {
            close = true;
            --at;
            continue;
        }
        std::string* value = nullptr;
        for (const auto& [option, target] : options) {
            if (option == name) value = target;
        }
        if (value == nullptr || at + 1 >= argc) {
            std::cerr << kUsage;
            return 2;
        }
        *value = argv[at + 1];
    }
    if (seed.empty() || journal.empty() || data.empty() || out.empty() || picture.empty()) {
        std::cerr << kUsage;
        return 2;
    }

    try {
        tavori::replay::ReplayInput input;
        input.seed = parseSeed(seed);
        input.closeAtEnd = close;
        input.journal = readWhole(journal);
        for (const auto& file : std::filesystem::directory_iterator(data)) {
            if (file.is_regular_file()) {
                input.dataFiles[file.path().filename().string()] = readWhole(file.path());
            }
        }
        if (!stored.empty()) {
            const auto files = nlohmann::json::parse(readWhole(stored));
            if (!files.is_object()) throw JournalError(stored + " is not an object");
            for (const auto& [name, bytes] : files.items()) {
                if (!bytes.is_string()) throw JournalError(stored + ": " + name + " is not a string");
                input.storedFiles[name] = tavori::replay::decodeBase64(bytes.get<std::string>());
            }
        }

        const tavori::replay::ReplayResult result = tavori::replay::replayJournal(input);

        std::string rgba;
        rgba.reserve(result.pixels.size() * 4);
        for (const tavori::Colour colour : result.pixels) {
            rgba += static_cast<char>(tavori::redOf(colour));
            rgba += static_cast<char>(tavori::greenOf(colour));
            rgba += static_cast<char>(tavori::blueOf(colour));
            rgba += static_cast<char>(0xFF);
        }
        writeWhole(picture, rgba);
        writeWhole(out, tavori::replay::cellsJson(result));
        if (!storedOut.empty()) {
            nlohmann::json files = nlohmann::json::object();
            for (const auto& [name, bytes] : result.storedFiles) files[name] = tavori::web::encodeBase64(bytes);
            writeWhole(storedOut, files.dump());
        }
    } catch (const std::exception& error) {
        std::cerr << "tavori_replay: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
