#pragma once
// Dialog data exchange: DoDataExchange moves values between a dialog's
// members and its controls, in the direction UpdateData asks for, and checks
// them when saving. A failed step shows the framework's message, puts the
// focus back on the control (selecting an edit box's whole text) and makes
// the remaining steps do nothing; UpdateData then returns FALSE.

#include "platform/ui/Wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The control's window, remembered as the one a failure goes back to;
    // null when the dialog has no such control.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    void Fail();
    BOOL Failed() const { return m_bFailed; }

private:
    int m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
    BOOL m_bFailed = FALSE;
};

// Binds rControl to the dialog's control nIDC (once; later calls keep it).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// An integer as the control's text. Saving reads it the way "%d" does:
// leading white space, an optional sign, then digits up to the first
// non-digit. No digits: message 61712. A number beyond the int range reads
// as the nearest int, which a range check then refuses.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);

// Saving only: outside minVal..maxVal gives message 61714 with the bounds.
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);

// The "%d" reading of DDX_Text; false when no digits can be read.
bool ReadDecimalInt(const std::string& text, int& value);
