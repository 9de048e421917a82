// CWnd: message dispatch and the default processing.
#include "platform/ui/Wnd.h"

#include <QPainter>
#include <QWidget>

#include "platform/ui/Gdi.h"
#include "platform/ui/GdiHandles.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/WindowLink.h"

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_hWnd != nullptr) {
        if (WindowLink* link = WindowLink::From(m_hWnd)) {
            link->Unbind(this);
        }
        m_hWnd = nullptr;
    }
    // A dangling main-window pointer would be handed out as an owner.
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
    }
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    WindowLink* link = hWnd != nullptr ? WindowLink::From(hWnd) : nullptr;
    return link != nullptr ? link->Wnd() : nullptr;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    WindowLink* link = hWnd != nullptr ? WindowLink::From(hWnd) : nullptr;
    // One object per window: a second one would be left pointing at the
    // window after it is gone.
    if (m_hWnd != nullptr || link == nullptr || link->IsBound()) {
        return FALSE;
    }
    link->Bind(this);
    return TRUE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowProc(message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CurrentMessage outer = m_currentMsg;
    m_currentMsg = {message, wParam, lParam};
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult)) {
        lResult = DefWindowProc(message, wParam, lParam);
    }
    m_currentMsg = outer;
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) {
            return FALSE;
        }
        *pResult = 1;
        return TRUE;
    }
    const UINT lookup =
        (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ? WM_CTLCOLOR : message;
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(lookup, 0, 0);
    if (entry == nullptr) {
        return FALSE;
    }
    *pResult = entry->pfn(this, message, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM)
{
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowLink* link = m_hWnd != nullptr ? WindowLink::From(m_hWnd) : nullptr;
    if (link == nullptr) {
        return 0;
    }
    switch (message) {
    case WM_SYSCOMMAND:
        return DefSysCommand(UINT(wParam));
    case WM_SETICON:
        return reinterpret_cast<LRESULT>(
            link->SetIcon(wParam == ICON_BIG, reinterpret_cast<HICON>(lParam)));
    case WM_ICONERASEBKGND:
        EraseIconBackground(reinterpret_cast<HDC>(wParam));
        return 1;
    default:
        // Among them WM_CTLCOLORxxx: a null brush means the control paints
        // its background in the window's own colour.
        return 0;
    }
}

LRESULT CWnd::DefSysCommand(UINT nID)
{
    switch (nID & 0xFFF0) {
    case SC_CLOSE:
        return SendMessage(WM_CLOSE);
    case SC_MINIMIZE:
        m_hWnd->showMinimized();
        return 0;
    case SC_RESTORE:
        m_hWnd->showNormal();
        return 0;
    default:
        return 0;
    }
}

void CWnd::EraseIconBackground(HDC hDC)
{
    if (hDC == nullptr) {
        return;
    }
    const QColor background = m_hWnd->palette().color(QPalette::Window);
    const QRect area = m_hWnd->rect();
    hDC->Draw(area, [&](QPainter& painter) { painter.fillRect(area, background); });
}

void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::OnPaint()
{
    Default();
}

void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}

void CWnd::OnTimer(UINT_PTR)
{
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT)
{
    return reinterpret_cast<HBRUSH>(Default());
}

HCURSOR CWnd::OnQueryDragIcon()
{
    return reinterpret_cast<HCURSOR>(Default());
}

int GetSystemMetrics(int nIndex)
{
    switch (nIndex) {
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    default:
        return 0;
    }
}
