// The menu bar built from the core's menu table, with its labels as wide text.
#pragma once

#include "gdi_handles.h"

namespace tavori::win32 {

// Seven pop-ups of plain, enabled text items; an empty menu when the system refuses one.
Menu buildMenuBar();

}  // namespace tavori::win32
