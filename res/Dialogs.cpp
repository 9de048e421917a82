// The program's dialog templates. Positions and sizes in dialog units;
// controls in tab order.
#include "platform/ui/WinUser.h"
#include "res/ResourceData.h"
#include "res/resource.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// The About box.
constexpr std::array<DialogItemTemplate, 3> kAboutItems{{
    {IDC_STATIC, ControlClass::Static, nullptr, IDR_MAINFRAME, 14, 14, 21, 20, kChild | SS_ICON, 0},
    {IDC_STATIC, ControlClass::Static, "Morvane，1.0 版", 0, 42, 14, 114, 8,
     kChild | SS_LEFT | SS_NOPREFIX | WS_GROUP, 0},
    {IDOK, ControlClass::Button, "确定", 0, 113, 41, 50, 14,
     kChild | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 0},
}};

// The recorder window.
constexpr std::array<DialogItemTemplate, 8> kRecorderItems{{
    {IDC_PREVIEW, ControlClass::Static, nullptr, 0, 7, 44, 424, 261, kChild | SS_BLACKFRAME, 0},
    {IDC_OPEN_CAMERA, ControlClass::Button, "打开相机", 0, 7, 7, 59, 34,
     kChild | BS_PUSHBUTTON | WS_TABSTOP, 0},
    {IDC_CLOSE_CAMERA, ControlClass::Button, "关闭相机", 0, 69, 7, 59, 34,
     kChild | BS_PUSHBUTTON | WS_TABSTOP, 0},
    {IDC_START_RECORDING, ControlClass::Button, "开始录像", 0, 131, 7, 59, 34,
     kChild | BS_PUSHBUTTON | WS_TABSTOP, 0},
    {IDC_STOP_RECORDING, ControlClass::Button, "停止录像", 0, 193, 7, 59, 34,
     kChild | BS_PUSHBUTTON | WS_TABSTOP, 0},
    {IDC_STATIC, ControlClass::Static, nullptr, IDB_CORNER, 7, 308, 55, 55, kChild | SS_BITMAP, 0},
    {IDC_STATIC, ControlClass::Static, nullptr, IDB_BANNER, 305, 7, 125, 34, kChild | SS_BITMAP, 0},
    {IDC_STATIC, ControlClass::Static, nullptr, IDB_STRIP, 61, 308, 371, 55, kChild | SS_BITMAP, 0},
}};

// The video source dialog.
constexpr std::array<DialogItemTemplate, 7> kVideoSourceItems{{
    {IDOK, ControlClass::Button, "确定", 0, 145, 55, 50, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
    {IDCANCEL, ControlClass::Button, "取消", 0, 218, 55, 50, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP, 0},
    {IDC_SOURCE_COMBO, ControlClass::ComboBox, nullptr, 0, 67, 7, 202, 137,
     kChild | CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 0},
    {IDC_STATIC, ControlClass::Static, "请选择视频源", 0, 8, 9, 53, 8, kChild | SS_LEFT | WS_GROUP, 0},
    {IDC_STATIC, ControlClass::Static, "请输入录像时长", 0, 7, 32, 57, 8, kChild | SS_LEFT | WS_GROUP, 0},
    {IDC_MINUTES_EDIT, ControlClass::Edit, nullptr, 0, 68, 28, 142, 14,
     kChild | ES_LEFT | ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0},
    {IDC_STATIC, ControlClass::Static, "分钟(最大值100)", 0, 212, 31, 57, 8,
     kChild | SS_LEFT | WS_GROUP, 0},
}};

}  // namespace

const std::array<DialogTemplate, 3> kProgramDialogs{{
    {IDD_ABOUTBOX, "关于 Morvane", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT,
     0, 0, 0, 170, 62, "MS Shell Dlg", 9, kAboutItems},
    {IDD_MORVANE_DIALOG, "Vexaro   视频录像软件",
     WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_SHELLFONT,
     WS_EX_APPWINDOW, 0, 0, 438, 366, "MS Shell Dlg", 9, kRecorderItems},
    {IDD_VIDEO_SOURCE, "视频源",
     WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS, 0, 0, 0, 276, 76,
     "MS Shell Dlg", 8, kVideoSourceItems},
}};
