// The exercises' key for a browser key name (KeyboardEvent.key), shared with the native replay
// of a page's calls so both turn the same names into the same keys.
#pragma once

#include <optional>
#include <string_view>

#include "common/key.h"

namespace tavori::web {

// The page passes only keys pressed with no Ctrl, Alt or Meta; the keypad's digits and Enter
// carry the same names as the main ones.
inline std::optional<Key> keyFromDomName(std::string_view name) {
    struct Named {
        std::string_view name;
        Key key;
    };
    static constexpr Named kKeys[] = {
        {" ", Key::Space},          {"Enter", Key::Return},       {"ArrowLeft", Key::Left},
        {"ArrowRight", Key::Right}, {"ArrowUp", Key::Up},         {"ArrowDown", Key::Down},
        {"PageUp", Key::PageUp},    {"PageDown", Key::PageDown},  {"Home", Key::Home},
        {"1", Key::One},            {"2", Key::Two},              {"3", Key::Three},
        {"Escape", Key::Escape},
    };
    for (const Named& named : kKeys) {
        if (named.name == name) return named.key;
    }
    return std::nullopt;
}

}  // namespace tavori::web
