#pragma once
// The video source dialog: the operator picks a camera from the list and
// sets the recording length in minutes (0 to 100). The caller fills m_names
// before DoModal and, only after IDOK, reads m_nSelected (a position in
// m_names, which is the device index) and m_nMinutes.

#include <string>
#include <vector>

#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"

class CVideoSourceDlg : public CDialog {
public:
    // nMinutes: the length the minutes box starts with.
    explicit CVideoSourceDlg(int nMinutes);
    ~CVideoSourceDlg() override;

    CComboBox m_comboSource;
    // Camera names in device order; the list is never sorted, so entry i
    // stays device i.
    std::vector<std::string> m_names;
    // The chosen entry; meaningful only after DoModal returned IDOK.
    int m_nSelected = -1;
    int m_nMinutes;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Fills the list and selects its first entry; the focus goes to OK.
    BOOL OnInitDialog() override;

    // OK and Enter: refuses an empty selection, else stores it and lets the
    // base class check the minutes and end the dialog.
    void OnOkClicked();

    DECLARE_MESSAGE_MAP()
};
