#pragma once
// Control classes: objects for the controls of a dialog, bound to their
// windows with DDX_Control or handed out by GetDlgItem.

#include "platform/ui/Wnd.h"

class CStatic : public CWnd {};

class CButton : public CWnd {};

class CEdit : public CWnd {
public:
    // Selects characters nStartChar to nEndChar; 0 and -1 select all, a
    // start of -1 removes the selection.
    void SetSel(int nStartChar, int nEndChar);
};

class CComboBox : public CWnd {
public:
    // Appends an entry (the list is never sorted); its position, CB_ERR when
    // there is no window.
    int AddString(const char* lpszString);
    // Selects entry nSelect; -1 or a position past the end clears the
    // selection and returns CB_ERR.
    int SetCurSel(int nSelect);
    // The selected position; CB_ERR when nothing is selected.
    int GetCurSel() const;
    int GetCount() const;
};
