// The recorder window: construction, initialisation, button states, the
// system menu's About entry and the exit guard.
#include "recorder/MorvaneDlg.h"

#include "app/AboutDlg.h"
#include "platform/os/ProgramPath.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"
#include "recorder/Indicator.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CMorvaneDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_OPEN_CAMERA, &CMorvaneDlg::OnOpenCamera)
    ON_BN_CLICKED(IDC_CLOSE_CAMERA, &CMorvaneDlg::OnCloseCamera)
    ON_BN_CLICKED(IDC_START_RECORDING, &CMorvaneDlg::OnStartRecording)
    ON_BN_CLICKED(IDC_STOP_RECORDING, &CMorvaneDlg::OnStopRecording)
    ON_WM_TIMER()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CMorvaneDlg::CMorvaneDlg(CWnd* pParent) : CDialog(IDD_MORVANE_DIALOG, pParent)
{
    m_hAppIcon = LoadIcon(IDR_MAINFRAME);

    // The program folder is everything before the path's last separator.
    const std::string path = os::ProgramFilePath();
    const auto separator = os::FindLastSeparator(path);
    m_strAppDir = separator == std::string::npos ? std::string() : path.substr(0, separator);

    m_pSource = std::make_unique<CCaptureSource>();
    m_pDisplayFrame = CreateImageHeader(cv::Size(kFrameWidth, kFrameHeight), CV_8UC3);

    // The indicator picture, read back in the display's format; the loaded
    // bitmap goes with this constructor.
    CBitmap indicator;
    if (indicator.LoadBitmap(IDB_INDICATOR)) {
        m_pIndicator = BitmapToImage(indicator);
    }

    m_nMinutes = 1;
    m_pRecording = nullptr;
    m_bRecording = false;
}

CMorvaneDlg::~CMorvaneDlg() = default;

void CMorvaneDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PREVIEW, m_preview);
}

BOOL CMorvaneDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    if (CMenu* pSysMenu = GetSystemMenu(FALSE)) {
        std::string strAboutMenu;
        if (LoadString(IDS_ABOUTBOX, strAboutMenu) && !strAboutMenu.empty()) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu.c_str());
        }
    }

    SetIcon(m_hAppIcon, TRUE);
    SetIcon(m_hAppIcon, FALSE);

    m_preview.InitCanvas();
    SetButtonState(WindowState::NoCamera);
    return TRUE;  // the focus goes to the first tab stop, "打开相机"
}

void CMorvaneDlg::SetButtonState(WindowState state)
{
    GetDlgItem(IDC_OPEN_CAMERA)->EnableWindow(state == WindowState::NoCamera);
    GetDlgItem(IDC_CLOSE_CAMERA)->EnableWindow(state != WindowState::NoCamera);
    GetDlgItem(IDC_START_RECORDING)->EnableWindow(state == WindowState::CameraOpen);
    GetDlgItem(IDC_STOP_RECORDING)->EnableWindow(state == WindowState::Recording);
}

void CMorvaneDlg::SetRecordingButtons(bool recording)
{
    GetDlgItem(IDC_START_RECORDING)->EnableWindow(!recording);
    GetDlgItem(IDC_STOP_RECORDING)->EnableWindow(recording);
}

void CMorvaneDlg::FocusButton(int nID)
{
    GetDlgItem(nID)->SetFocus();
}

void CMorvaneDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    // The low four bits belong to the windowing system.
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

void CMorvaneDlg::OnCancel()
{
    if (m_bRecording) {
        MessageBox("正在录像中,请先停止录像!", "退出软件", MB_OK | MB_ICONINFORMATION);
        return;
    }
    // A tick the event loop still holds must not run against what goes below.
    KillTimer(0);
    m_pSource.reset();
    m_pDisplayFrame.reset();
    CDialog::OnCancel();
}
