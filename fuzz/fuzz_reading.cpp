// Fuzzes the reading text: any bytes paged through with the rows, the width and the client size
// taken from the input's last bytes, every page drawn, until the text starts over.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/context.h"
#include "reading/reading.h"
#include "support/fake_platform.h"

namespace {

void check(bool holds) {
    if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavori;
    static testing::FakePlatform platform(320, 240);
    FuzzedDataProvider input(data, size);
    ReadingState reading;
    reading.linesPerScreen = input.ConsumeIntegralInRange<std::int32_t>(1, 16);
    reading.bytesPerLine = input.ConsumeBool() ? 16 : 32;
    ShellState shell;
    shell.currentMode = Mode::SpeedReading;
    shell.displayTicks = 1;
    // Mostly small sizes, but the whole range a window can report too.
    shell.clientWidth = input.ConsumeIntegralInRange(0, 15) == 0 ? input.ConsumeIntegralInRange(0, 65535) : input.ConsumeIntegralInRange(0, 400);
    shell.clientHeight = input.ConsumeIntegralInRange(0, 15) == 0 ? input.ConsumeIntegralInRange(0, 65535) : input.ConsumeIntegralInRange(0, 300);
    const bool startPastTheEnd = input.ConsumeBool();
    const std::string text = input.ConsumeRemainingBytesAsString();
    platform.addFile("/r.txt", text);
    loadReadingText(reading, platform, "/r.txt");
    // A position left from a longer text must be harmless too.
    reading.readingPosition = startPastTheEnd ? 70000 : 0;

    RandomGenerator random(1);
    Context context{platform, random, shell};
    const auto textEnd = static_cast<std::int64_t>(reading.readingText.size());
    // Every page but the last moves on by at least one byte, so a pass ends within this many.
    const std::int64_t pageLimit = textEnd + 2;
    std::int64_t pages = 0;
    do {
        const std::int32_t before = reading.readingPosition;
        PageRows rows;
        buildReadingPage(reading, rows);
        for (int row = 0; row < kPageRowCount; ++row) {
            bool terminated = false;
            for (const char byte : rows[static_cast<std::size_t>(row)]) terminated = terminated || byte == '\0';
            check(terminated);
        }
        check(reading.readingPosition == 0 || reading.readingPosition > before);
        check(reading.readingPosition >= 0 && reading.readingPosition <= textEnd);
        drawReadingPage(reading, rows, context);
        check(++pages <= pageLimit);
    } while (reading.readingPosition != 0);
    // The step path, counting ticks up to the display time.
    stepSpeedReading(reading, context);
    stepSpeedReading(reading, context);
    platform.window().clearTextRuns();
    return 0;
}
