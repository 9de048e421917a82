// CWnd: the state of a window and its controls.
#include <QApplication>
#include <QWidget>

#include "platform/ui/Gdi.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/TimerHost.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/WindowLink.h"

namespace {

WindowLink* LinkOf(HWND hWnd)
{
    return hWnd != nullptr ? WindowLink::From(hWnd) : nullptr;
}

}  // namespace

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    const BOOL wasDisabled = m_hWnd->testAttribute(Qt::WA_Disabled) ? TRUE : FALSE;
    m_hWnd->setEnabled(bEnable != FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    return m_hWnd != nullptr && !m_hWnd->testAttribute(Qt::WA_Disabled) ? TRUE : FALSE;
}

void CWnd::SetWindowText(const char* lpszString)
{
    if (WindowLink* link = LinkOf(m_hWnd)) {
        link->SetText(QString::fromUtf8(lpszString != nullptr ? lpszString : ""));
    }
}

void CWnd::GetWindowText(std::string& rString) const
{
    WindowLink* link = LinkOf(m_hWnd);
    rString = link != nullptr ? link->Text().toStdString() : std::string();
}

CWnd* CWnd::GetFocus()
{
    // The focus may sit in a part of a control (the edit field of a combo
    // box): the control is the nearest widget the framework made.
    for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
        if (CWnd* wnd = FromHandle(w)) {
            return wnd;
        }
    }
    return nullptr;
}

CWnd* CWnd::SetFocus()
{
    CWnd* previous = GetFocus();
    if (m_hWnd != nullptr) {
        m_hWnd->setFocus(Qt::OtherFocusReason);
    }
    return previous;
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    WindowLink* link = LinkOf(m_hWnd);
    const QRect area = link != nullptr ? link->ClientArea() : QRect();
    *lpRect = RECT{0, 0, area.width(), area.height()};
}

BOOL CWnd::IsIconic() const
{
    return m_hWnd != nullptr && m_hWnd->isMinimized() ? TRUE : FALSE;
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    if (m_hWnd == nullptr) {
        return nullptr;
    }
    for (QObject* child : m_hWnd->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        WindowLink* link = LinkOf(widget);
        if (link != nullptr && link->ControlId() == nID) {
            return link->Wnd();
        }
    }
    return nullptr;
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL,
                                               reinterpret_cast<LPARAM>(hIcon)));
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    WindowLink* link = LinkOf(m_hWnd);
    return link != nullptr ? link->SystemMenu(bRevert != FALSE) : nullptr;
}

int CWnd::MessageBox(const char* lpszText, const char* lpszCaption, UINT nType)
{
    return AfxShowMessageBox(m_hWnd != nullptr ? this : nullptr, lpszText, lpszCaption, nType);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    WindowLink* link = LinkOf(m_hWnd);
    if (link == nullptr) {
        return 0;
    }
    link->Timers().Start(nIDEvent, nElapse, lpfnTimer);
    return nIDEvent != 0 ? nIDEvent : 1;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    WindowLink* link = LinkOf(m_hWnd);
    return link != nullptr && link->Timers().Stop(nIDEvent) ? TRUE : FALSE;
}
