// The frame pump: what one tick moves from the camera to the preview, what
// it leaves alone, and the counter that makes the indicator blink.
#include "RecorderFixture.h"

using namespace uitest;

TEST_F(RecorderTest, EachTickShowsItsFrameAndTheCounterRunsThroughASecond)
{
    Run([&] {
        OpenCameraForTicks();
        EXPECT_EQ(dlg_->m_nTickInSecond, 0);
        for (uint32_t n = 0; n < 60; ++n) {
            Tick(n);
            ASSERT_EQ(dlg_->m_nTickInSecond, int((n + 1) % 25)) << n;
            if (n % 7 == 0) {
                EXPECT_EQ(PreviewFrameNumber(), n);
            }
        }
    });
}

TEST_F(RecorderTest, TicksWithoutANewFrameOrOfAnotherTimerChangeNothing)
{
    Run([&] {
        OpenCameraForTicks("0");
        Tick(0);
        Click(IDC_START_RECORDING);
        Tick(1);
        ASSERT_EQ(dlg_->m_nFramesWritten, 1);

        camera_->Push(PatternFrame(2));
        dlg_->OnTimer(1);  // another timer: the frame waits for the pump
        dlg_->OnTimer(0);  // takes frame 2
        dlg_->OnTimer(0);  // the camera has nothing newer
        EXPECT_EQ(dlg_->m_nFramesWritten, 2);
        EXPECT_EQ(dlg_->m_nTickInSecond, 3);
        EXPECT_EQ(PreviewFrameNumber(), 2);

        Tick(3);
        EXPECT_EQ(dlg_->m_nFramesWritten, 3);
    });
}

TEST_F(RecorderTest, TheDisplayedFrameIsTheCamerasOwnPixels)
{
    Run([&] {
        OpenCameraForTicks();
        Tick(0);
        cv::Mat* cameraImage = dlg_->m_pSource->m_pCamera->GrabFrame();  // no newer sample: the same image
        ASSERT_NE(cameraImage, nullptr);
        EXPECT_EQ(dlg_->m_pDisplayFrame->Image().data, cameraImage->data) << "no copy for a 640x480 frame";
    });
}

TEST_F(RecorderTest, FramesOfAnotherSizeAreScaledIntoOneImageOfTheWindow)
{
    cv::Mat small(240, 320, CV_8UC3);
    media::DrawTestPattern(small, 77);

    cv::Mat& first = dlg_->FullSizeFrame(small);
    ASSERT_EQ(first.size(), cv::Size(640, 480));
    EXPECT_EQ(media::ReadFrameCode(first), 77);
    const uchar* pixels = first.data;
    media::DrawTestPattern(small, 78);
    cv::Mat& second = dlg_->FullSizeFrame(small);
    EXPECT_EQ(&second, &first);
    EXPECT_EQ(second.data, pixels) << "the scaled image is made once";
    EXPECT_EQ(media::ReadFrameCode(second), 78);

    cv::Mat full(480, 640, CV_8UC3);
    EXPECT_EQ(&dlg_->FullSizeFrame(full), &full);
}
