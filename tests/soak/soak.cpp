// A long random stream of every event a reader can produce, sent to one App over the fake
// platform: commands (known and unknown), ticks, presses, moves, releases, paints, client
// sizes from 0 × 0 to 4000 × 3000, files of random content, missing files and cancelled
// dialogs. It must end without a crash, a leak or heap growth after warm-up.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <string_view>

#if defined(__SANITIZE_ADDRESS__)
// GCC ships the sanitizer runtime without its headers; the one call needed is declared here.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#elif defined(__GLIBC__)
#include <malloc.h>
#endif
#if defined(__unix__)
#include <sys/resource.h>
#endif

#include "shell/app.h"
#include "shell/menu.h"
#include "support/fake_platform.h"

namespace tavori::testing {
namespace {

std::size_t heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#elif defined(__GLIBC__)
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;  // small blocks and mapped large ones
#else
    return 0;
#endif
}

long peakResidentKilobytes() {
#if defined(__unix__)
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#else
    return 0;
#endif
}

class Soak {
public:
    explicit Soak(std::uint32_t seed) : random_(seed), app_(platform_, AppConfig{seed, ""}) {
        platform_.addFile(platform_.besideExecutable("w.txt"), randomText(2000));
        platform_.addFile(platform_.besideExecutable("tvr.tvr3"), templateText());
        platform_.addFile(platform_.besideExecutable("pa.dat"), "あいうえお\r\nかきくけこ\r\n");
        app_.startUp();
    }

    // Back to a common client size with empty logs, so heap figures compare like with like.
    void settle() {
        platform_.setClientSize(1000, 600);
        app_.paint();
        platform_.window().clearTextRuns();
        platform_.work().clearTextRuns();
    }

    void run(long events) {
        for (long event = 0; event < events; ++event) {
            step();
            if (event % 1000 == 0) {
                platform_.window().clearTextRuns();
                platform_.work().clearTextRuns();
                platform_.shellRequests.clear();
                platform_.dialogRequests.clear();
                platform_.openedPaths.clear();
            }
        }
    }

private:
    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(int percent) { return uniform(0, 99) < percent; }

    std::string randomText(int maximumLength) {
        std::string text;
        const int length = uniform(0, maximumLength);
        const int flavour = uniform(0, 3);
        for (int index = 0; index < length; ++index) {
            switch (flavour) {
                case 0:  // any byte at all
                    text.push_back(static_cast<char>(uniform(0, 255)));
                    break;
                case 1:  // Shift-JIS-like text with line ends and stray lead bytes
                    text += chance(10) ? "\r\n" : chance(50) ? "\x82\xA0" : chance(50) ? "\x83\x5B" : "a";
                    break;
                case 2:  // UTF-8 text
                    text += chance(10) ? "\n" : chance(50) ? "読書" : "x";
                    break;
                default: {  // template-like punctuation
                    constexpr std::string_view kPieces = "[]()*.\r\nprint(select(ab\x83";
                    text += kPieces[static_cast<std::size_t>(uniform(0, static_cast<int>(kPieces.size()) - 1))];
                    break;
                }
            }
        }
        return text;
    }

    std::string templateText() {
        std::string text = "# comment\r\n[main]\r\n";
        const int lines = uniform(0, 30);
        for (int line = 0; line < lines; ++line) {
            text += chance(30) ? "print(A[s]B,select([c]),C)\r\n" : chance(50) ? "x[s]y\r\n" : "[main]\r\n";
        }
        text += "\r\n[s]\r\n*.one\r\ntwo[s]\r\n\r\n[c]\r\n赤\r\n青\r\n";
        return chance(30) ? randomText(500) : text;
    }

    void replaceSomeFile() {
        const char* names[] = {"w.txt", "tvr.tvr3", "pa.dat", "chosen.txt", "chosen.tvr3"};
        const std::string path = platform_.besideExecutable(names[uniform(0, 4)]);
        if (chance(20)) {
            platform_.files.erase(path);
        } else if (chance(2)) {
            platform_.addFile(path, randomText(70000));
        } else {
            platform_.addFile(path, path.ends_with(".tvr3") ? templateText() : randomText(3000));
        }
    }

    void queueDialogAnswer() {
        switch (uniform(0, 3)) {
            case 0: platform_.dialogAnswers.push_back(std::nullopt); break;
            case 1: platform_.dialogAnswers.push_back(platform_.besideExecutable("missing.txt")); break;
            case 2: platform_.dialogAnswers.push_back(platform_.besideExecutable("chosen.txt")); break;
            default: platform_.dialogAnswers.push_back(platform_.besideExecutable("chosen.tvr3")); break;
        }
    }

    void resize() {
        static constexpr std::pair<int, int> kSizes[] = {{0, 0},     {1, 1},     {2, 3},      {99, 99},
                                                         {100, 100}, {101, 101}, {640, 480},  {1000, 600},
                                                         {1920, 1080}, {4000, 3000}, {30, 2000}, {2000, 30}};
        if (chance(70)) {
            const auto [width, height] = kSizes[uniform(0, 11)];
            platform_.setClientSize(width, height);
        } else {
            platform_.setClientSize(uniform(0, 2500), uniform(0, 1600));
        }
    }

    int commandId() {
        const auto table = menuBarTable();
        if (chance(5)) {
            const int unknown[] = {0, -1, 1, 250, 265, 499, 501, 719, 740, 799, 801, 850, 852, 65535};
            return unknown[uniform(0, 13)];
        }
        const auto& popup = table[static_cast<std::size_t>(uniform(0, static_cast<int>(table.size()) - 1))];
        const int id = popup.items[static_cast<std::size_t>(uniform(0, static_cast<int>(popup.items.size()) - 1))].id;
        return id == CommandId::Quit ? CommandId::Help : id;  // quitting would end the stream
    }

    // A point of interest: anywhere, the client's edges, far outside, or where the exercises
    // put their rows, mazes and tiles.
    std::pair<int, int> point() {
        const int width = app_.shell().clientWidth;
        const int height = app_.shell().clientHeight;
        switch (uniform(0, 5)) {
            case 0: return {uniform(-100, width + 100), uniform(-100, height + 100)};
            case 1: return {chance(50) ? 0 : width, chance(50) ? 0 : height};
            case 2: return {uniform(-40000, 70000), uniform(-40000, 70000)};
            case 3: return {width / 2 + uniform(-305, 305), height / 2 + uniform(-105, 140)};
            case 4: return {width / 2 + uniform(-300, 300), uniform(0, height)};
            default: return {uniform(0, std::max(0, width)), uniform(0, std::max(0, height))};
        }
    }

    void step() {
        const int kind = uniform(0, 99);
        if (kind < 30) {
            app_.tick();
        } else if (kind < 42) {
            const int id = commandId();
            if (id == CommandId::LoadReadingText || id == CommandId::LoadTemplate) {
                queueDialogAnswer();
            }
            app_.command(id);
        } else if (kind < 55) {
            const auto [x, y] = point();
            app_.mouseDown(x, y);
        } else if (kind < 80) {
            const auto [x, y] = point();
            app_.mouseMove(x, y);
        } else if (kind < 92) {
            const auto [x, y] = point();
            app_.mouseUp(x, y);
        } else if (kind < 95) {
            // Any key, the status line and the menus' marks asked for after it.
            app_.key(static_cast<Key>(uniform(0, static_cast<int>(Key::Three))));
            static_cast<void>(app_.statusLine());
            static_cast<void>(app_.commandChecked(commandId()));
        } else if (kind < 97) {
            app_.paint();
        } else if (kind < 99) {
            replaceSomeFile();
        } else if (chance(10)) {
            resize();
            app_.paint();
        }
    }

    std::mt19937 random_;
    FakePlatform platform_;
    App app_;
};

}  // namespace
}  // namespace tavori::testing

int main(int argc, char** argv) {
    long events = 1'000'000;
    std::uint32_t seed = 1;
    for (int index = 1; index + 1 < argc; index += 2) {
        if (std::strcmp(argv[index], "--events") == 0) events = std::atol(argv[index + 1]);
        if (std::strcmp(argv[index], "--seed") == 0) seed = static_cast<std::uint32_t>(std::atol(argv[index + 1]));
    }
    tavori::testing::Soak soak(seed);
    const long warmUp = std::max(1L, events / 10);
    soak.run(warmUp);
    soak.settle();
    const std::size_t heapAfterWarmUp = tavori::testing::heapInUse();
    soak.run(events - warmUp);
    soak.settle();
    const std::size_t heapAtEnd = tavori::testing::heapInUse();
    const double growthMiB = (static_cast<double>(heapAtEnd) - static_cast<double>(heapAfterWarmUp)) / (1024.0 * 1024.0);
    std::printf("soak: %ld events, seed %u, peak resident %.1f MiB, heap after warm-up %.1f MiB, at end %.1f MiB (%+.1f MiB)\n",
                events, seed, static_cast<double>(tavori::testing::peakResidentKilobytes()) / 1024.0,
                static_cast<double>(heapAfterWarmUp) / (1024.0 * 1024.0),
                static_cast<double>(heapAtEnd) / (1024.0 * 1024.0), growthMiB);
    // Loaded texts differ in size from one moment to the next (up to about 70 kB each);
    // anything well beyond that is growth.
    const bool grew = growthMiB > 4.0;
    std::printf(grew ? "1 failed: heap grew after warm-up\n" : "soak: passed\n");
    return grew ? 1 : 0;
}
