// Camera commands: opening a camera through the video source dialog and
// closing it again.
#include "dialogs/VideoSourceDlg.h"
#include "recorder/MorvaneDlg.h"
#include "res/resource.h"

namespace {

constexpr UINT kFrameTimerMs = 40;
constexpr int kFramesPerSecond = 25;

}  // namespace

void CMorvaneDlg::OnOpenCamera()
{
    const std::vector<std::string> names = m_pSource->ListDevices();
    if (names.empty()) {
        MessageBox("当前电脑没有连接摄像机!", "打开摄像机", MB_OK | MB_ICONEXCLAMATION);
        return;
    }

    CVideoSourceDlg dlg(m_nMinutes);
    for (const std::string& name : names) {
        dlg.m_names.push_back(name);
    }
    if (dlg.DoModal() != IDOK) {
        return;
    }
    if (!m_pSource->OpenDevice(dlg.m_nSelected)) {
        MessageBox("打开摄像机失败!", "打开摄像机", MB_OK | MB_ICONINFORMATION);
        return;
    }

    m_nMinutes = dlg.m_nMinutes;
    m_nFrameRate = kFramesPerSecond;
    m_nTickInSecond = 0;
    SetTimer(0, kFrameTimerMs, nullptr);
    m_bRecording = false;
    SetButtonState(WindowState::CameraOpen);
    FocusButton(IDC_START_RECORDING);
}

void CMorvaneDlg::OnCloseCamera()
{
    if (m_bRecording) {
        MessageBox("正在录像中,请先停止录像!", "关闭摄像机", MB_OK | MB_ICONINFORMATION);
        return;
    }
    // The timer stops first, so no tick runs against the closed camera.
    KillTimer(0);
    m_pSource->m_pCamera->Close();
    m_pSource->m_bDeviceOpen = false;
    m_preview.ClearCanvas();
    m_preview.Redraw();
    SetButtonState(WindowState::NoCamera);
    FocusButton(IDC_OPEN_CAMERA);
}
