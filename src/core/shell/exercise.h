// What an exercise gives the shell: its step, pointer, keys and commands, status line, record
// figures and stored settings. App dispatches every event through this and knows no exercise.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "common/context.h"
#include "common/key.h"
#include "common/mode.h"
#include "record/session_record.h"
#include "settings/settings_file.h"
#include "shell/menu.h"

namespace tavori {

// What the front end must do after an event: the core never calls back into it to act.
enum class Outcome {
    None,
    CloseWindow,   // close the window, then call destroy()
    CaptureMouse,  // a drag began: keep the mouse until its release
    ReleaseMouse,  // the drag ended
};

// A key and the menu item (shell/menu.h) it gives while the exercise is on screen.
struct KeyBinding {
    Key key;
    int command;
};

// One exercise behind the shell. The shell owns one of each (shell/exercises.cpp), keeps which
// is on screen, and calls these only for that one unless a comment says otherwise. Coordinates
// reaching an exercise are already held to ±2^24 (common/input_bounds.h).
class Exercise {
public:
    Exercise() = default;
    Exercise(const Exercise&) = delete;
    Exercise& operator=(const Exercise&) = delete;
    virtual ~Exercise() = default;

    // The mode the shell shows this exercise in: one exercise per Mode.
    virtual Mode mode() const = 0;

    // ---- The step (one per tick, and after every menu command but the keys')
    virtual void step(Context& context) = 0;
    // Whether a step now draws what the last one did and changes nothing but the steps it counts.
    virtual bool stateRepeatsSteps(const ShellState& shell) const = 0;
    // What `count` such steps would do, without drawing.
    virtual void passSteps(std::int64_t /*count*/) {}
    // Whether no tick can change anything until the next command or pointer input.
    virtual bool waitsForInput() const { return false; }

    // ---- The pointer: a left press, and while the exercise holds the pointer (a drag) its
    // moves and its release. A release that draws nothing leaves the screen's repeat as it was.
    virtual Outcome pointerDown(Context& /*context*/, int /*x*/, int /*y*/) { return Outcome::None; }
    virtual bool holdsPointer() const { return false; }
    virtual void pointerMove(Context& /*context*/, int /*x*/, int /*y*/) {}
    virtual bool releaseDraws() const { return false; }
    virtual Outcome pointerUp(Context& /*context*/, int /*x*/, int /*y*/) { return Outcome::None; }
    // The window was erased or resized: what the exercise draws again at once, if anything.
    virtual void repaint(Context& /*context*/) {}

    // ---- Keys and menu commands. The menu table (shell/menu.cpp) holds every item; an
    // exercise says which actions are its own.
    virtual std::span<const KeyBinding> keys() const { return {}; }
    // Items of the exercise's pop-up that set it up and bring it on screen (asked of every
    // exercise): the shell clears the window, calls select, shows the exercise and steps it.
    virtual bool selectedBy(CommandAction /*action*/) const { return false; }
    // Whether such an item, chosen while the exercise is on screen, ends its session before the
    // change and begins another after it (the record keeps the setting per session).
    virtual bool splitsSession(CommandMeaning /*meaning*/) const { return false; }
    virtual void select(CommandMeaning /*meaning*/) {}
    // A selecting item that opens a file first: the name the dialog proposes, and the name
    // chosen (not called when the dialog is cancelled).
    virtual std::string proposedFileName() const { return {}; }
    virtual void openFile(std::string /*name*/, Platform& /*platform*/, const StoredSettings& /*kept*/) {}
    // Items that act at once on the exercise on screen, with no step after them (asked of every
    // exercise): chosen while another exercise shows, they are unavailable and do nothing.
    virtual bool ownsCommand(CommandAction /*action*/) const { return false; }
    virtual bool commandAvailable(CommandMeaning /*meaning*/) const { return true; }
    // Carries out an owned command; true when the reader's place is to be kept now.
    virtual bool runCommand(CommandMeaning /*meaning*/, Context& /*context*/) { return false; }
    // The check mark of an item whose setting is the exercise's, whether or not it is on screen.
    virtual std::optional<bool> commandChecked(CommandMeaning /*meaning*/) const { return std::nullopt; }
    // The display time or the pace changed (asked of every exercise).
    virtual void displayTimeChanged(const ShellState& /*shell*/) {}

    // ---- The status line below the exercise area, in UTF-8.
    virtual std::string statusLine() const = 0;

    // ---- The record. A session runs from showing the exercise to leaving it or closing.
    // beginSession notes the exercise's counters; sessionFigures fills its part of the record
    // with what changed since and says whether the session showed anything worth a line.
    virtual void beginSession() = 0;
    virtual bool sessionFigures(SessionRecord& record) const = 0;
    // The settings in force that every line of the record carries (asked of every exercise).
    virtual void recordSettings(SessionRecord& /*record*/) const {}

    // ---- What is kept between runs (each asked of every exercise).
    // Kept settings read back; a file named there that is no longer readable is not taken.
    virtual void restoreSettings(const StoredSettings& /*kept*/, Platform& /*platform*/) {}
    // Loads the exercise's file at start-up, after restoreSettings.
    virtual void startUp(Platform& /*platform*/, const StoredSettings& /*kept*/) {}
    virtual void keepSettings(StoredSettings& /*now*/) const {}
    // Whether the exercise has a place in a text to keep (on leaving it, on closing, on opening
    // another file for it and when runCommand asks), and putting it among the kept places.
    virtual bool keepsPlace() const { return false; }
    virtual void keepPlace(StoredSettings& /*kept*/) const {}
};

}  // namespace tavori
