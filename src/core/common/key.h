// The keys an exercise answers to, as each front end translates its own key codes.
#pragma once

#include <optional>

namespace tavori {

enum class Key {
    Space,
    Return,
    Left,
    Right,
    Up,
    Down,
    PageUp,
    PageDown,
    Home,
    One,    // the main row's 1 or the keypad's
    Two,
    Three,
    Escape,
};

// The modifier keys held as a key is pressed (Meta: the Windows or Command key).
struct Modifiers {
    bool control = false;
    bool alt = false;
    bool meta = false;
};

// The key as the exercises get it: with Ctrl, Alt or Meta held it is a shortcut of the menus,
// the desktop or the browser, and reaches no exercise. Shift changes nothing.
constexpr std::optional<Key> exerciseKey(std::optional<Key> key, Modifiers held) {
    if (held.control || held.alt || held.meta) return std::nullopt;
    return key;
}

}  // namespace tavori
