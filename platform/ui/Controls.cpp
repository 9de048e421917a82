#include "platform/ui/Controls.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

QComboBox* ComboOf(HWND hWnd)
{
    return qobject_cast<QComboBox*>(hWnd);
}

}  // namespace

void CEdit::SetSel(int nStartChar, int nEndChar)
{
    auto* edit = qobject_cast<QLineEdit*>(m_hWnd);
    if (edit == nullptr) {
        return;
    }
    if (nStartChar == -1) {
        edit->deselect();
    } else if (nStartChar == 0 && nEndChar == -1) {
        edit->selectAll();
    } else {
        edit->setSelection(nStartChar, nEndChar - nStartChar);
    }
}

int CComboBox::AddString(const char* lpszString)
{
    QComboBox* combo = ComboOf(m_hWnd);
    if (combo == nullptr) {
        return CB_ERR;
    }
    // Adding to an empty editable combo box would select the new entry;
    // the list's selection changes only through SetCurSel and the user.
    const int selected = combo->currentIndex();
    const QString editText = combo->isEditable() ? combo->currentText() : QString();
    combo->addItem(QString::fromUtf8(lpszString != nullptr ? lpszString : ""));
    if (combo->currentIndex() != selected) {
        combo->setCurrentIndex(selected);
        if (combo->isEditable()) {
            combo->setEditText(editText);
        }
    }
    return combo->count() - 1;
}

int CComboBox::SetCurSel(int nSelect)
{
    QComboBox* combo = ComboOf(m_hWnd);
    if (combo == nullptr) {
        return CB_ERR;
    }
    if (nSelect < 0 || nSelect >= combo->count()) {
        combo->setCurrentIndex(-1);
        return CB_ERR;
    }
    combo->setCurrentIndex(nSelect);
    return nSelect;
}

int CComboBox::GetCurSel() const
{
    QComboBox* combo = ComboOf(m_hWnd);
    return combo != nullptr ? combo->currentIndex() : CB_ERR;
}

int CComboBox::GetCount() const
{
    QComboBox* combo = ComboOf(m_hWnd);
    return combo != nullptr ? combo->count() : 0;
}
