// Fuzzes the settings file as a reader's disk may hold it: read, written back, read again, and
// a start-up and a few pages over it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/settings_file.h"
#include "shell/app.h"
#include "support/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const tavori::StoredSettings settings = tavori::parseSettings(bytes);
    if (settings.places.size() > tavori::kKeptPlaces) __builtin_trap();
    // What is written reads back as it was, and writing it again changes nothing.
    const std::string written = tavori::formatSettings(settings);
    if (!(tavori::parseSettings(written) == settings) || tavori::formatSettings(tavori::parseSettings(written)) != written) {
        __builtin_trap();
    }
    tavori::testing::FakePlatform platform(200, 200);
    platform.addFile(platform.besideExecutable("w.txt"), "本文の一行目\r\n二行目\r\n");
    platform.storedFiles["settings.txt"] = bytes;
    tavori::App app(platform, tavori::AppConfig{1, ""});
    app.startUp();
    app.command(tavori::CommandId::lines(2));
    for (int tick = 0; tick < 12; ++tick) app.tick();
    app.destroy();
    return 0;
}
