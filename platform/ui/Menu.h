#pragma once
// Menus: a list of entries (text with a command code, or a separator). A
// window's system menu is one of these, shown by the framework on a
// right-click in the window and on Alt+Space.

#include <string>
#include <vector>

#include "platform/ui/WinUser.h"

class QPoint;
class QWidget;

class CMenu {
public:
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const char* lpszNewItem = nullptr);
    UINT GetMenuItemCount() const;
    // The command code at nPos; 0 for a separator, (UINT)-1 past the end.
    UINT GetMenuItemID(int nPos) const;
    // The text of an entry by command (MF_BYCOMMAND) or position
    // (MF_BYPOSITION); returns its length, 0 when there is none.
    int GetMenuString(UINT nIDItem, std::string& rString, UINT nFlags) const;
    // The flags of an entry; (UINT)-1 when there is none.
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    // Greys (MF_GRAYED) or enables (MF_STRING) an entry; returns its previous
    // state, (UINT)-1 when there is none.
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);

    // Shows the menu at a point on the screen and waits for a choice; the
    // chosen command, 0 when none.
    UINT TrackPopup(const QPoint& globalPos, QWidget* owner) const;

private:
    struct Item {
        UINT flags;
        UINT_PTR id;
        std::string text;
    };
    const Item* Find(UINT nIDItem, UINT nFlags) const;

    std::vector<Item> m_items;
};
