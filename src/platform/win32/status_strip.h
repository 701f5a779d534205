// The status strip along the bottom of the main window, showing the core's status line.
#pragma once

#include <windows.h>

#include <string>

#include "gdi_handles.h"

namespace tavori::win32 {

// A STATIC control of user32 in the system's status-bar font: the system paints it and redraws it
// when its text changes, so it needs neither the common controls nor a painter of its own. It
// keeps its own mouse input, so a click on it never reaches the exercise above.
class StatusStrip {
public:
    // Makes the strip a child of `parent`, empty; false, with no strip and no height, when the
    // system refuses it. The main window destroys the control; the font lives as long as this.
    bool create(HWND parent);
    // The parent and the control are gone.
    void forget() { window_ = nullptr; }

    HWND window() const { return window_; }
    // The pixels the strip takes from the bottom of the client area.
    int height() const { return height_; }

    // Lays the strip along the bottom of a client area of this size, across its whole width.
    void layOut(int clientWidth, int clientHeight);

    // Shows the UTF-8 text; the control is touched only when the text differs from what it shows.
    void show(const std::string& text);

private:
    HWND window_ = nullptr;
    Font font_;
    int height_ = 0;
    std::string shown_;
};

}  // namespace tavori::win32
