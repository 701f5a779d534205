// The page's doors into the program: one App over the browser's platform, each call's outcome
// and picture carried out, the tick on the 100 ms grid of performance.now(), and in test mode a
// journal of every call, so a native run can replay them.
#include <emscripten/emscripten.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base64.h"
#include "dom_key.h"
#include "page_imports.h"
#include "shell/app.h"
#include "shell/menu.h"
#include "shell/tick_grid.h"
#include "web_platform.h"

namespace tavori::web {
namespace {

std::int64_t microseconds(double milliseconds) { return std::llround(milliseconds * 1000.0); }

void appendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    out += '"';
}

// The mark an item shows, as the page's ARIA role names it.
std::string_view markName(ItemMark mark) {
    switch (mark) {
        case ItemMark::Radio: return "radio";
        case ItemMark::Check: return "check";
        case ItemMark::None: break;
    }
    return "";
}

// The pointer's calls by kind, as the page numbers them and the journal names them.
constexpr std::string_view kPointerKinds[] = {"down", "move", "up"};

class Session {
public:
    Session(std::uint32_t seed, int width, int height, double ratio, bool journals)
        : platform_(width, height, ratio), app_(platform_, AppConfig{.seed = seed}), journals_(journals) {}

    void putFileTooLargeToHold(std::string path) { platform_.putFileTooLargeToHold(std::move(path)); }

    void putFile(std::string path, std::vector<char> bytes) {
        // The program's own files are the same for a replay; a picked file goes in the journal.
        if (journals_ && path.starts_with(kPickedFolder)) {
            std::string entry = "[\"file\",";
            appendJsonString(entry, path);
            entry += ",\"" + encodeBase64(std::string_view(bytes.data(), bytes.size())) + "\"]";
            record(entry);
        }
        platform_.putFile(std::move(path), std::move(bytes));
    }

    void start(double nowMilliseconds) {
        record("[\"start\"," + std::to_string(platform_.clientSize().width) + "," +
               std::to_string(platform_.clientSize().height) + "]");
        app_.startUp();
        grid_.emplace(microseconds(nowMilliseconds));
        after(Outcome::None);
    }

    int command(int id, std::optional<std::optional<std::string>> dialogAnswer) {
        wake();
        if (dialogAnswer) {
            std::string entry = "[\"choose\",";
            if (*dialogAnswer) {
                appendJsonString(entry, **dialogAnswer);
            } else {
                entry += "null";
            }
            record(entry + "]");
            platform_.setDialogAnswer(std::move(*dialogAnswer));
        }
        record("[\"command\"," + std::to_string(id) + "]");
        return after(app_.command(id));
    }

    // The step of the grid point reached at `nowMilliseconds`, if one is due; whether it changed
    // the picture. What it drew waits for `present`, which the page calls in the screen frame
    // that is to show it.
    bool step(double nowMilliseconds) {
        if (!grid_ || asleep_ || !grid_->takeDue(microseconds(nowMilliseconds))) return false;
        record("[\"tick\"]");
        app_.tick();
        settle();
        return platform_.screen().drawnSincePresent();
    }

    void present() { platform_.screen().present(); }

    // The next grid point in milliseconds, or a negative number while no tick can change anything.
    double nextDue() const {
        if (!grid_ || asleep_ || app_.destroyed()) return -1;
        return static_cast<double>(grid_->nextDueMicroseconds()) / 1000.0;
    }

    // The tab was hidden for a while: the grid points it missed are not made up for in a burst.
    void resume(double nowMilliseconds) {
        if (grid_) grid_->skipPassed(microseconds(nowMilliseconds));
    }

    int pointer(int kind, int x, int y) {
        if (kind < 0 || kind > 2) return 0;
        wake();
        record("[\"" + std::string(kPointerKinds[kind]) + "\"," + std::to_string(x) + "," + std::to_string(y) + "]");
        switch (kind) {
            case 0: return after(app_.mouseDown(x, y));
            case 1: app_.mouseMove(x, y); return after(Outcome::None);
            default: return after(app_.mouseUp(x, y));
        }
    }

    // The outcome, or −1 for a key that is not the exercises', which the page leaves to the browser.
    // A held key repeats only where holding it means going on.
    int key(std::string_view name, bool repeat) {
        const std::optional<Key> key = keyFromDomName(name);
        if (!key) return -1;
        if (repeat && !repeatsWhenHeld(*key)) return static_cast<int>(Outcome::None);
        wake();
        std::string entry = "[\"key\",";
        appendJsonString(entry, name);
        record(entry + "]");
        return after(app_.key(*key));
    }

    void resize(int width, int height, double ratio) {
        wake();
        platform_.resize(width, height, ratio);
        record("[\"resize\"," + std::to_string(width) + "," + std::to_string(height) + "]");
        record("[\"paint\"]");
        app_.paint();
        after(Outcome::None);
    }

    void destroy() {
        wake();
        app_.destroy();
        after(Outcome::None);
    }

    static std::string menuJson() {
        std::string out = "[";
        for (const Popup& popup : menuBarTable()) {
            if (out.size() > 1) out += ',';
            out += "{\"label\":";
            appendJsonString(out, popup.label);
            out += ",\"items\":[";
            bool first = true;
            for (const MenuItem& item : popup.items) {
                if (!first) out += ',';
                first = false;
                out += "{\"id\":" + std::to_string(item.id) + ",\"label\":";
                appendJsonString(out, item.label);
                out += ",\"shortcut\":";
                appendJsonString(out, item.shortcut);
                out += std::string(",\"separator\":") + (item.afterSeparator ? "true" : "false") + ",\"mark\":";
                appendJsonString(out, markName(itemMark(item.meaning.action)));
                if (const auto filter = commandFileFilter(item.id)) {
                    out += ",\"accept\":";
                    appendJsonString(out, filter->pattern.substr(filter->pattern.find('.')));
                }
                out += '}';
            }
            out += "]}";
        }
        return out + "]";
    }

    // What the page and the core must agree on, so the page copies none of it: the outcomes of
    // calls, the pointer's kinds, and the folders and prefix of the files it puts and opens.
    static std::string constantsJson() {
        const auto number = [](Outcome outcome) { return std::to_string(static_cast<int>(outcome)); };
        std::string out = "{\"outcome\":{\"none\":" + number(Outcome::None) + ",\"closeWindow\":" +
                          number(Outcome::CloseWindow) + ",\"captureMouse\":" + number(Outcome::CaptureMouse) +
                          ",\"releaseMouse\":" + number(Outcome::ReleaseMouse) + "},\"pointerKind\":{";
        for (int kind = 0; kind < static_cast<int>(std::size(kPointerKinds)); ++kind) {
            if (kind > 0) out += ',';
            appendJsonString(out, kPointerKinds[kind]);
            out += ':' + std::to_string(kind);
        }
        out += "},\"programFolder\":";
        appendJsonString(out, kProgramFolder);
        out += ",\"pickedFolder\":";
        appendJsonString(out, kPickedFolder);
        out += ",\"storagePrefix\":";
        appendJsonString(out, kStoragePrefix);
        return out + "}";
    }

    const App& app() const { return app_; }
    std::string journal() const { return journal_.empty() ? "[]" : journal_ + "]"; }

private:
    // An input's answer is shown at once, with any step's picture not yet shown.
    int after(Outcome outcome) {
        present();
        settle();
        return static_cast<int>(outcome);
    }

    void settle() {
        // While no step can change the picture (a maze between its steps, a start screen, a
        // question waiting for its answer, a puzzle between moves, a paused page) the tick sleeps.
        asleep_ = app_.waitsForInput() || app_.stepsOnlyRepeat();
    }

    // Before every call but a step: the grid points slept through are taken, and where steps
    // only repeated they are handed over as run, so an answer's or a puzzle's time goes on; the
    // next grid point steps again.
    void wake() {
        if (!asleep_ || !grid_) return;
        asleep_ = false;
        const std::int64_t passed = grid_->skipPassed(microseconds(tavoriPageNow()));
        if (passed > 0 && app_.stepsOnlyRepeat()) {
            record("[\"steps\"," + std::to_string(passed) + "]");
            app_.passSteps(passed);
        }
    }

    void record(const std::string& entry) {
        if (!journals_) return;
        journal_ += journal_.empty() ? "[" : ",\n";
        journal_ += entry;
    }

    WebPlatform platform_;
    App app_;
    std::optional<TickGrid> grid_;
    bool asleep_ = false;
    bool journals_;
    std::string journal_;
};

// The page runs one program; these doors are C functions, so the session lives here.
std::unique_ptr<Session> session;
std::string returned;  // the last string handed to the page, alive until the next

const char* handOver(std::string text) {
    returned = std::move(text);
    return returned.c_str();
}

std::string takeString(char* bytes, int length) {
    std::string text(bytes != nullptr ? bytes : "", static_cast<std::size_t>(bytes != nullptr && length > 0 ? length : 0));
    std::free(bytes);
    return text;
}

}  // namespace
}  // namespace tavori::web

using tavori::web::session;

// The page's calls; every pointer it passes was malloc'ed by it and is freed here.
extern "C" {

EMSCRIPTEN_KEEPALIVE void tavori_create(std::uint32_t seed, int width, int height, double ratio, int journals) {
    session = std::make_unique<tavori::web::Session>(seed, width, height, ratio, journals != 0);
}

// A negative `length` puts a file too large for the page to read.
EMSCRIPTEN_KEEPALIVE void tavori_put_file(char* path, int pathLength, char* bytes, int length) {
    std::string name = tavori::web::takeString(path, pathLength);
    if (length < 0) {
        std::free(bytes);
        if (session) session->putFileTooLargeToHold(std::move(name));
        return;
    }
    std::vector<char> content(bytes, bytes + (length > 0 ? length : 0));
    std::free(bytes);
    if (session) session->putFile(std::move(name), std::move(content));
}

EMSCRIPTEN_KEEPALIVE void tavori_start(double now) { session->start(now); }

// `answered`: 0 for a command with no dialog, 1 for a chosen file at `path`, −1 for a cancel.
EMSCRIPTEN_KEEPALIVE int tavori_command(int id, int answered, char* path, int pathLength) {
    std::string chosen = tavori::web::takeString(path, pathLength);
    std::optional<std::optional<std::string>> answer;
    if (answered > 0) answer.emplace(std::move(chosen));
    if (answered < 0) answer.emplace(std::nullopt);
    return session->command(id, std::move(answer));
}

EMSCRIPTEN_KEEPALIVE int tavori_step(double now) { return session->step(now) ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE void tavori_present() { session->present(); }
EMSCRIPTEN_KEEPALIVE double tavori_next_due() { return session ? session->nextDue() : -1; }
EMSCRIPTEN_KEEPALIVE void tavori_resume(double now) { session->resume(now); }
EMSCRIPTEN_KEEPALIVE int tavori_pointer(int kind, int x, int y) { return session->pointer(kind, x, y); }

EMSCRIPTEN_KEEPALIVE int tavori_key(char* name, int length, int repeat) {
    return session->key(tavori::web::takeString(name, length), repeat != 0);
}

EMSCRIPTEN_KEEPALIVE void tavori_resize(int width, int height, double ratio) { session->resize(width, height, ratio); }
EMSCRIPTEN_KEEPALIVE void tavori_destroy() { session->destroy(); }
EMSCRIPTEN_KEEPALIVE int tavori_checked(int id) { return session->app().commandChecked(id) ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int tavori_available(int id) { return session->app().commandAvailable(id) ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE const char* tavori_status() { return tavori::web::handOver(session->app().statusLine()); }
EMSCRIPTEN_KEEPALIVE const char* tavori_menu() { return tavori::web::handOver(tavori::web::Session::menuJson()); }
EMSCRIPTEN_KEEPALIVE const char* tavori_constants() {
    return tavori::web::handOver(tavori::web::Session::constantsJson());
}
EMSCRIPTEN_KEEPALIVE const char* tavori_journal() { return tavori::web::handOver(session->journal()); }
}
