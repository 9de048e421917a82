// The frame pump: every tick of timer 0 moves one frame from the camera to
// the running recording and the preview. It allocates nothing and copies no
// pixels for a camera that delivers 640x480.
#include <opencv2/imgproc.hpp>

#include "recorder/MorvaneDlg.h"

void CMorvaneDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == 0) {
        CCameraGraph* camera = m_pSource->m_pCamera;
        cv::Mat* frame = camera->GrabFrame();
        // A grab that found no new sample hands back the previous image,
        // which this pump has already written and may have drawn the
        // indicator into: such a tick is one without a frame.
        if (frame != nullptr && camera->LastGrabWasNew() && frame->type() == CV_8UC3) {
            cv::Mat& image = FullSizeFrame(*frame);
            m_pDisplayFrame->SetData(image.data, image.step);

            if (m_bRecording) {
                RecordFrame();
            }

            m_preview.ShowImage(m_pDisplayFrame->Image());
            m_preview.Redraw();

            if (++m_nTickInSecond == m_nFrameRate) {
                m_nTickInSecond = 0;
            }
        }
    }
    CDialog::OnTimer(nIDEvent);
}

cv::Mat& CMorvaneDlg::FullSizeFrame(cv::Mat& frame)
{
    const cv::Size full(kFrameWidth, kFrameHeight);
    if (frame.size() == full) {
        return frame;
    }
    // The display and recording headers are fixed at 640x480: a frame of
    // any other size is scaled into one image of that size first.
    cv::resize(frame, m_pScaledFrame, full, 0, 0, cv::INTER_LINEAR);
    return m_pScaledFrame;
}
