// One pop-up menu per table entry, appended to the bar, which owns it from then on; the item states
// are read from the core each time a pop-up opens.
#include "menu_bar.h"

#include <string>

#include "shell/menu.h"
#include "text_conversion.h"

namespace tavori::win32 {

namespace {

void appendItem(HMENU menu, const MenuItem& item) {
    if (item.afterSeparator) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    }
    std::wstring label = utf8ToWide(item.label);
    if (!item.shortcut.empty()) {
        label += L'\t' + utf8ToWide(item.shortcut);
    }
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    info.fType = MFT_STRING | (itemMark(item.meaning.action) == ItemMark::Radio ? MFT_RADIOCHECK : 0u);
    info.wID = static_cast<UINT>(item.id);
    info.dwTypeData = label.data();
    InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
}

}  // namespace

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
            appendItem(items.get(), item);
        }
        const std::wstring label = utf8ToWide(popup.label);
        if (!AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(items.get()), label.c_str())) {
            return {};
        }
        items.release();  // the bar owns the pop-up now and destroys it with itself
    }
    return bar;
}

void showCommandStates(HMENU popup, const App& app) {
    const int count = GetMenuItemCount(popup);
    for (int position = 0; position < count; ++position) {
        const UINT id = GetMenuItemID(popup, position);
        if (id == 0 || id == static_cast<UINT>(-1)) {
            continue;  // a separator
        }
        const int command = static_cast<int>(id);
        const auto where = static_cast<UINT>(position);
        CheckMenuItem(popup, where, MF_BYPOSITION | (app.commandChecked(command) ? MF_CHECKED : MF_UNCHECKED));
        EnableMenuItem(popup, where, MF_BYPOSITION | (app.commandAvailable(command) ? MF_ENABLED : MF_GRAYED));
    }
}

}  // namespace tavori::win32
