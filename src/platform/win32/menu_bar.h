// The menu bar built from the core's menu table, with its labels as wide text.
#pragma once

#include "gdi_handles.h"
#include "shell/app.h"

namespace tavori::win32 {

// Seven pop-ups of text items, each key's item after a separator with its key right-aligned
// after a tab; the items that choose one of several values show a round check mark. An empty
// menu when the system refuses one.
Menu buildMenuBar();

// Checks and greys the items of a pop-up about to open as the core says they stand.
void showCommandStates(HMENU popup, const App& app);

}  // namespace tavori::win32
