// Owners for the GDI and USER handles the front end creates: each is released exactly once.
#pragma once

#include <windows.h>

#include "unique_handle.h"

namespace tavori::win32 {

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

// A GDI object (brush, pen, font, bitmap) deleted with DeleteObject.
template <typename Handle>
using GdiObject = UniqueHandle<Handle, DeleteGdiObject>;

using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;

// An object selected into a device context; the previous one goes back when this ends, so
// the created object is no longer selected when its owner deletes it.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            SelectObject(dc_, previous_);
        }
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window's device context from GetDC, released when this ends.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(window ? GetDC(window) : nullptr) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A memory device context, deleted when this ends.
class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() {
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
    }
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

struct DestroyMenuWithPopUps {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};

// A menu not (or no longer) attached to a window, destroyed with its pop-ups when this ends;
// release() gives it up to a menu bar that now holds it.
using Menu = UniqueHandle<HMENU, DestroyMenuWithPopUps>;

}  // namespace tavori::win32
