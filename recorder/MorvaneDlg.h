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
#include "recorder/RecordingFile.h"

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

    // Camera commands.
    void OnOpenCamera();
    void OnCloseCamera();

    // The frame pump: one frame from the camera to the recording and the
    // preview on every tick of timer 0.
    void OnTimer(UINT_PTR nIDEvent);
    // The frame as a 640x480 image: the camera's own pixels when it delivers
    // that size, else those of m_pScaledFrame.
    cv::Mat& FullSizeFrame(cv::Mat& frame);

    // Recordings.
    void OnStartRecording();
    void OnStopRecording();
    // Writes the displayed frame to the running recording, blinks the
    // indicator, counts the frame and stops at the frame limit.
    void RecordFrame();
    // The path of a recording that starts now; creates the dated folder
    // when it is missing.
    std::string BuildRecordingPath();

    // Draws m_pIndicator into the displayed frame near its top-right corner.
    void DrawIndicator();

    // Every frame shown and recorded has this size, 8 bits, 3 channels.
    static constexpr int kFrameWidth = 640;
    static constexpr int kFrameHeight = 480;

    enum class WindowState { NoCamera, CameraOpen, Recording };
    // Writes all four buttons for a state.
    void SetButtonState(WindowState state);
    // Writes the two recording buttons; the camera buttons keep their state.
    void SetRecordingButtons(bool recording);
    // Gives the keyboard focus to a button, so it never falls on a
    // neighbour by accident when the focused button turns disabled.
    void FocusButton(int nID);

    HICON m_hAppIcon = nullptr;
    CPictureBox m_preview;
    std::unique_ptr<CCaptureSource> m_pSource;
    std::unique_ptr<CRecordingFile> m_pRecording;  // set exactly while m_bRecording
    int m_nMinutes = 1;
    int m_nFrameLimit = 0;
    int m_nFramesWritten = 0;
    int m_nFrameRate = 0;
    int m_nTickInSecond = 0;
    std::unique_ptr<ImageHeader> m_pDisplayFrame;  // 640x480, 8 bits, 3 channels
    cv::Mat m_pIndicator;                          // empty when there is no picture
    std::string m_strAppDir;                       // program folder, no trailing '/'
    bool m_bRecording = false;
    // Frames of a device that does not deliver 640x480, scaled to that size;
    // made on first use and reused for every later frame.
    cv::Mat m_pScaledFrame;

    DECLARE_MESSAGE_MAP()
};
