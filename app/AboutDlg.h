#pragma once
// The About box: the icon, the program's name and version, and "确定". Its
// button and Escape close it through the base dialog. Defined here whole,
// as it has no code of its own beyond its template.

#include "platform/ui/DataExchange.h"
#include "platform/ui/Dialog.h"
#include "res/resource.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

protected:
    void DoDataExchange(CDataExchange* pDX) override { CDialog::DoDataExchange(pDX); }
};
