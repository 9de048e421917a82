#pragma once
// The recorder window opened up for tests: its state is readable and
// settable, its handlers callable, and its timer ticks counted.

#include <QColor>
#include <QImage>

#include "recorder/MorvaneDlg.h"

// True when every pixel of the picture is black.
inline bool AllBlack(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != QColor(Qt::black)) {
                return false;
            }
        }
    }
    return true;
}

class TestableMorvaneDlg : public CMorvaneDlg {
public:
    using CMorvaneDlg::m_bRecording;
    using CMorvaneDlg::m_hAppIcon;
    using CMorvaneDlg::m_nFrameLimit;
    using CMorvaneDlg::m_nFrameRate;
    using CMorvaneDlg::m_nFramesWritten;
    using CMorvaneDlg::m_nMinutes;
    using CMorvaneDlg::m_nTickInSecond;
    using CMorvaneDlg::m_pDisplayFrame;
    using CMorvaneDlg::m_pIndicator;
    using CMorvaneDlg::m_pRecording;
    using CMorvaneDlg::m_preview;
    using CMorvaneDlg::m_pSource;
    using CMorvaneDlg::m_strAppDir;

    using CMorvaneDlg::BuildRecordingPath;
    using CMorvaneDlg::DrawIndicator;
    using CMorvaneDlg::FullSizeFrame;
    using CMorvaneDlg::OnCloseCamera;
    using CMorvaneDlg::OnOpenCamera;
    using CMorvaneDlg::OnStartRecording;
    using CMorvaneDlg::OnStopRecording;
    using CMorvaneDlg::OnTimer;

    // Ticks of the window's timers that reached the window, by any id.
    int m_nTimerMessages = 0;

protected:
    void CountTimerMessage(UINT_PTR nIDEvent)
    {
        ++m_nTimerMessages;
        OnTimer(nIDEvent);
    }

    DECLARE_MESSAGE_MAP()
};
