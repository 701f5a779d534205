// The strip's font and height come from the system's non-client metrics; its text goes in as wide text.
#include "status_strip.h"

#include <algorithm>

#include "text_conversion.h"

namespace tavori::win32 {

namespace {

// Room above and below the text's line, in pixels.
constexpr int kVerticalMargin = 3;

Font statusFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        return {};
    }
    return Font(CreateFontIndirectW(&metrics.lfStatusFont));
}

// The height of one line of `font` (the system font when there is none) on the window's device.
int lineHeight(HWND window, HFONT font) {
    const WindowDc dc(window);
    TEXTMETRICW text{};
    if (dc.get() == nullptr) {
        return GetSystemMetrics(SM_CYMENU);
    }
    const SelectedObject selection(dc.get(), font);
    return GetTextMetricsW(dc.get(), &text) ? text.tmHeight : GetSystemMetrics(SM_CYMENU);
}

}  // namespace

bool StatusStrip::create(HWND parent) {
    font_ = statusFont();
    // One line, left-aligned and centred vertically; "&" is shown as it is.
    const DWORD style = WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_NOPREFIX | SS_NOTIFY;
    window_ = CreateWindowExW(0, L"STATIC", L"", style, 0, 0, 0, 0, parent, nullptr,
                              reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    if (window_ == nullptr) {
        height_ = 0;
        return false;
    }
    if (font_) {
        SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    height_ = lineHeight(parent, font_.get()) + 2 * kVerticalMargin;
    shown_.clear();
    return true;
}

void StatusStrip::layOut(int clientWidth, int clientHeight) {
    if (window_ != nullptr) {
        MoveWindow(window_, 0, std::max(0, clientHeight - height_), clientWidth, height_, TRUE);
    }
}

void StatusStrip::show(const std::string& text) {
    if (window_ == nullptr || text == shown_) {
        return;
    }
    if (SetWindowTextW(window_, utf8ToWide(text).c_str())) {
        shown_ = text;
    }
}

}  // namespace tavori::win32
