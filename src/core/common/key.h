// The keys an exercise answers to, as each front end translates its own key codes.
#pragma once

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
};

}  // namespace tavori
