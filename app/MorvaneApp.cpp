#include "app/MorvaneApp.h"

#include "platform/skin/Skin.h"
#include "recorder/MorvaneDlg.h"

BEGIN_MESSAGE_MAP(CMorvaneApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CMorvaneApp::CMorvaneApp() = default;

BOOL CMorvaneApp::InitInstance()
{
    INITCOMMONCONTROLSEX InitCtrls;
    InitCtrls.dwSize = sizeof(InitCtrls);
    InitCtrls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&InitCtrls);

    CWinApp::InitInstance();
    AfxEnableControlContainer();
    SetRegistryKey("应用程序向导生成的本地应用程序");

    // A missing or unreadable skin leaves the standard look.
    LoadSkin("XP-Metallic.ssk", 0);

    CMorvaneDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();

    return FALSE;
}
