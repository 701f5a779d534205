// One pop-up menu per table entry, appended to the bar, which owns it from then on.
#include "menu_bar.h"

#include <string>

#include "shell/menu.h"
#include "text_conversion.h"

namespace tavori::win32 {

Menu buildMenuBar() {
    Menu bar(CreateMenu());
    if (!bar) {
        return {};
    }
    for (const Popup& popup : menuBarTable()) {
        Menu items(CreatePopupMenu());
        if (!items) {
            return {};
        }
        for (const MenuItem& item : popup.items) {
            const std::wstring label = utf8ToWide(item.label);
            AppendMenuW(items.get(), MF_STRING, static_cast<UINT_PTR>(item.id), label.c_str());
        }
        const std::wstring label = utf8ToWide(popup.label);
        if (!AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(items.get()), label.c_str())) {
            return {};
        }
        items.release();  // the bar owns the pop-up now and destroys it with itself
    }
    return bar;
}

}  // namespace tavori::win32
