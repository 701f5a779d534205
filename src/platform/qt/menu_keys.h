// Reaching the menu bar from the keyboard, as on Windows: Alt pressed and released alone, or F10.
#pragma once

class QMainWindow;

namespace tavori::qt {

// After this, Alt (pressed and released with no other key) or F10 highlights the first menu of
// `window`'s menu bar; the arrows move along it and into the menus, Return or Down opens and
// Return picks, Escape leaves. Pressed again, Alt or F10 gives the focus back. The labels are
// left as they are: there are no mnemonics to underline.
void enableMenuBarKeys(QMainWindow& window);

}  // namespace tavori::qt
