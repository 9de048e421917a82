#pragma once
// Templates and a dialog class the framework tests share. The dialog counts
// what reaches its handlers and then lets the base class act.

#include <array>
#include <functional>
#include <vector>

#include "platform/ui/Controls.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Gdi.h"

namespace uitest {

constexpr int kTextId = 100;
constexpr int kGoButtonId = 200;
constexpr int kEditId = 300;
constexpr int kComboId = 400;
constexpr int kFrameId = 500;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kPopup = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT;

// No OK command, no default button: like the main window.
inline constexpr std::array<DialogItemTemplate, 5> kPlainItems{{
    {kTextId, ControlClass::Static, "文字", 0, 4, 8, 40, 16, kChild | SS_LEFT, 0},
    {kGoButtonId, ControlClass::Button, "Go", 0, 50, 8, 40, 16, kChild | BS_PUSHBUTTON | WS_TABSTOP, 0},
    {kEditId, ControlClass::Edit, nullptr, 0, 100, 8, 40, 12,
     kChild | ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0},
    {kComboId, ControlClass::ComboBox, nullptr, 0, 4, 40, 80, 60,
     kChild | CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 0},
    {kFrameId, ControlClass::Static, nullptr, 0, 100, 40, 41, 31, kChild | SS_BLACKFRAME, 0},
}};
inline constexpr DialogTemplate kPlainDialog{
    9001, "Plain", kPopup | WS_MINIMIZEBOX, 0, 0, 0, 160, 100, "MS Shell Dlg", 9, kPlainItems};

// An edit box first in tab order, then OK (the default button) and Cancel.
inline constexpr std::array<DialogItemTemplate, 3> kOkCancelItems{{
    {kEditId, ControlClass::Edit, nullptr, 0, 8, 8, 60, 12,
     kChild | ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0},
    {IDOK, ControlClass::Button, "确定", 0, 8, 30, 40, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
    {IDCANCEL, ControlClass::Button, "取消", 0, 60, 30, 40, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP, 0},
}};
inline constexpr DialogTemplate kOkCancelDialog{
    9002, "OkCancel", kPopup, 0, 0, 0, 120, 60, "MS Shell Dlg", 8, kOkCancelItems};

class TestDialog : public CDialog {
public:
    explicit TestDialog(const DialogTemplate& dialogTemplate = kPlainDialog, CWnd* parent = nullptr)
    {
        InitModalIndirect(&dialogTemplate, parent);
    }

    int cancels = 0;
    int oks = 0;
    int goClicks = 0;
    std::vector<UINT> sysCommands;
    std::vector<UINT_PTR> ticks;
    std::function<void(UINT_PTR)> onTimer;
    std::function<void(CDataExchange*)> exchange;
    std::function<BOOL()> onInit;

protected:
    BOOL OnInitDialog() override { return onInit ? (CDialog::OnInitDialog(), onInit()) : CDialog::OnInitDialog(); }
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        if (exchange) {
            exchange(pDX);
        }
    }
    void OnOK() override
    {
        ++oks;
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        ++cancels;
        CDialog::OnCancel();
    }
    void OnGo() { ++goClicks; }
    void OnSysCommand(UINT nID, LPARAM lParam)
    {
        sysCommands.push_back(nID);
        CDialog::OnSysCommand(nID, lParam);
    }
    void OnTimer(UINT_PTR nIDEvent)
    {
        ticks.push_back(nIDEvent);
        if (onTimer) {
            onTimer(nIDEvent);
        }
    }

    DECLARE_MESSAGE_MAP()
};

}  // namespace uitest
