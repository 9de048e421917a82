#include "platform/ui/Menu.h"

#include <QAction>
#include <QMenu>
#include <QPoint>

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const char* lpszNewItem)
{
    if ((nFlags & MF_SEPARATOR) != 0) {
        m_items.push_back({nFlags, 0, {}});
    } else {
        m_items.push_back({nFlags, nIDNewItem, lpszNewItem != nullptr ? lpszNewItem : ""});
    }
    return TRUE;
}

UINT CMenu::GetMenuItemCount() const
{
    return UINT(m_items.size());
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    if (nPos < 0 || std::size_t(nPos) >= m_items.size()) {
        return UINT(-1);
    }
    return UINT(m_items[std::size_t(nPos)].id);
}

const CMenu::Item* CMenu::Find(UINT nIDItem, UINT nFlags) const
{
    if ((nFlags & MF_BYPOSITION) != 0) {
        return nIDItem < m_items.size() ? &m_items[nIDItem] : nullptr;
    }
    for (const Item& item : m_items) {
        if ((item.flags & MF_SEPARATOR) == 0 && item.id == nIDItem) {
            return &item;
        }
    }
    return nullptr;
}

int CMenu::GetMenuString(UINT nIDItem, std::string& rString, UINT nFlags) const
{
    const Item* item = Find(nIDItem, nFlags);
    rString = item != nullptr ? item->text : std::string();
    return int(rString.size());
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    const Item* item = Find(nID, nFlags);
    return item != nullptr ? item->flags : UINT(-1);
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    auto* item = const_cast<Item*>(Find(nIDEnableItem, nEnable));
    if (item == nullptr) {
        return UINT(-1);
    }
    const UINT previous = item->flags & (MF_GRAYED | MF_DISABLED);
    item->flags = (item->flags & ~(MF_GRAYED | MF_DISABLED)) | (nEnable & (MF_GRAYED | MF_DISABLED));
    return previous;
}

UINT CMenu::TrackPopup(const QPoint& globalPos, QWidget* owner) const
{
    QMenu menu(owner);
    for (const Item& item : m_items) {
        if ((item.flags & MF_SEPARATOR) != 0) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromUtf8(item.text));
        action->setData(QVariant::fromValue<qulonglong>(item.id));
        action->setEnabled((item.flags & (MF_GRAYED | MF_DISABLED)) == 0);
    }
    const QAction* chosen = menu.exec(globalPos);
    return chosen != nullptr ? UINT(chosen->data().toULongLong()) : 0;
}
