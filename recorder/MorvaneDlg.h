#pragma once
// The recorder window: the main window with the four camera and recording
// buttons, the live preview and three pictures. It holds all of the
// system's state; the buttons, the timer and m_bRecording tell which state
// it is in (no camera, camera open, recording).

#include <memory>
#include <opencv2/core.hpp>
#include <string>

#include "capture/CaptureSource.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Dialog.h"
#include "preview/PictureBox.h"
#include "recorder/ImageHeader.h"

class CRecordingFile;

class CMorvaneDlg : public CDialog {
public:
    explicit CMorvaneDlg(CWnd* pParent = nullptr);
    ~CMorvaneDlg() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // The exit guard: every way of closing the window ends here.
    void OnCancel() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    enum class WindowState { NoCamera, CameraOpen, Recording };
    // Writes all four buttons for a state.
    void SetButtonState(WindowState state);

    HICON m_hAppIcon = nullptr;
    CPictureBox m_preview;
    std::unique_ptr<CCaptureSource> m_pSource;
    CRecordingFile* m_pRecording = nullptr;  // set exactly while m_bRecording
    int m_nMinutes = 1;
    int m_nFrameLimit = 0;
    int m_nFramesWritten = 0;
    int m_nFrameRate = 0;
    int m_nTickInSecond = 0;
    std::unique_ptr<ImageHeader> m_pDisplayFrame;  // 640x480, 8 bits, 3 channels
    cv::Mat m_pIndicator;                          // empty when there is no picture
    std::string m_strAppDir;                       // program folder, no trailing '/'
    bool m_bRecording = false;

    DECLARE_MESSAGE_MAP()
};
