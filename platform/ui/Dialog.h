#pragma once
// Modal dialogs built from templates.
//
// DoModal builds the window from the template (hidden), calls OnInitDialog,
// shows it, gives the focus to the first tab stop when OnInitDialog returned
// TRUE, and runs a nested event loop until EndDialog. While it runs the other
// windows take no input, but every window's timers keep firing. The window
// is destroyed before DoModal returns the end code.
//
// Keys: Escape sends IDCANCEL; Enter clicks the focused push button, else
// the default push button (a dialog without one ignores Enter); Alt+F4 and
// the title bar's close button send SC_CLOSE, whose default processing ends
// in IDCANCEL. CDialog maps IDOK to OnOK and IDCANCEL to OnCancel.

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Wnd.h"

class QEventLoop;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    CDialog();
    ~CDialog() override;

    // Uses a template given as data instead of one found by id.
    BOOL InitModalIndirect(const DialogTemplate* pTemplate, CWnd* pParentWnd = nullptr);

    // IDOK, IDCANCEL or what EndDialog was given; -1 when the window could
    // not be made (no template, no QApplication).
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    // Drops commands and timer ticks that arrive after EndDialog.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    virtual BOOL OnInitDialog();

    // Dialog units to pixels with this dialog's font; valid while the window exists.
    void MapDialogRect(LPRECT lpRect) const;

    // Commands the dialog does not handle go on to the application object.
    BOOL OnCmdMsg(UINT nID, int nCode) override;

protected:
    virtual void OnOK();
    virtual void OnCancel();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()

private:
    CWnd* FindOwner() const;
    void DestroyModalWindow();

    const DialogTemplate* m_lpDialogTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;
    int m_nModalResult = -1;
    bool m_bEnded = false;
    QEventLoop* m_pModalLoop = nullptr;
};

// The innermost dialog now running modally; null when none.
CDialog* AfxGetRunningModal();
