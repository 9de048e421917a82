#pragma once
// CWnd: the system's handle on one window (a dialog or a control). The window
// itself is a Qt widget (m_hWnd) made by the framework; messages reach the
// object through WindowProc, which looks them up in the message map and
// otherwise falls back to the default processing.

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/CmdTarget.h"
#include "platform/ui/Geometry.h"

class CDC;
class CMenu;
class CDataExchange;

using TIMERPROC = void (*)(HWND hWnd, UINT message, UINT_PTR nIDEvent, DWORD dwTime);

class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    // The object a window reports to; null for widgets the framework did not make.
    static CWnd* FromHandle(HWND hWnd);

    // Makes this object the one a control window reports to (DDX_Control).
    BOOL SubclassWindow(HWND hWnd);

    // Sends a message straight to WindowProc and returns its result.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Window state.
    BOOL EnableWindow(BOOL bEnable = TRUE);  // nonzero when it was disabled before
    BOOL IsWindowEnabled() const;
    void SetWindowText(const char* lpszString);
    void GetWindowText(std::string& rString) const;
    CWnd* SetFocus();                        // the window that had the focus before
    static CWnd* GetFocus();
    void GetClientRect(LPRECT lpRect) const;
    BOOL IsIconic() const;
    CWnd* GetDlgItem(int nID) const;         // the control's object; null when there is none
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    // The window's own system menu; null when the window has none. bRevert
    // TRUE puts back the standard entries and returns null.
    CMenu* GetSystemMenu(BOOL bRevert) const;

    // A modal box owned by this window; the caption defaults to the app name.
    int MessageBox(const char* lpszText, const char* lpszCaption = nullptr, UINT nType = MB_OK);

    // Window timers. Each tick arrives as WM_TIMER with the id (or calls
    // lpfnTimer when one is given). Setting an id again restarts it. Periods
    // under 10 ms count as 10 ms. SetTimer returns 0 when there is no window.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // The client area's device context; null when the window cannot be drawn
    // on from outside its own painting. Every DC taken must be given back.
    CDC* GetDC();
    int ReleaseDC(CDC* pDC);

    // Runs DoDataExchange in one direction; FALSE when a check failed.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

protected:
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default processing of the message being handled.
    LRESULT Default();
    virtual void DoDataExchange(CDataExchange* pDX);

    // Handlers whose base behaviour is the default processing.
    void OnPaint();
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnTimer(UINT_PTR nIDEvent);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    HCURSOR OnQueryDragIcon();

private:
    LRESULT DefSysCommand(UINT nID);
    void EraseIconBackground(HDC hDC);

    struct CurrentMessage {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };
    CurrentMessage m_currentMsg;
    std::vector<std::unique_ptr<CDC>> m_heldDCs;
};

int GetSystemMetrics(int nIndex);
