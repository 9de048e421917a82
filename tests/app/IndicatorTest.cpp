// The recording indicator: the picture read from bitmap 131, and how it is
// drawn into a frame with its silver background left out.
#include <gtest/gtest.h>

#include "RecorderTestSupport.h"
#include "recorder/Indicator.h"
#include "res/resource.h"

TEST(IndicatorTest, TheWindowReadsBitmap131AsARedBallOnSilver)
{
    TestableMorvaneDlg dlg;
    const cv::Mat& picture = dlg.m_pIndicator;
    ASSERT_EQ(picture.size(), cv::Size(32, 32));
    ASSERT_EQ(picture.type(), CV_8UC3);
    const cv::Vec3b silver(192, 192, 192);
    EXPECT_EQ(picture.at<cv::Vec3b>(0, 0), silver);
    EXPECT_EQ(picture.at<cv::Vec3b>(31, 31), silver);
    EXPECT_EQ(picture.at<cv::Vec3b>(18, 17), cv::Vec3b(0, 0, 255)) << "the ball's middle is red";
    int red = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const cv::Vec3b p = picture.at<cv::Vec3b>(y, x);
            // The colour key looks at red alone: only the background may have 192.
            if (p[2] == 192) {
                EXPECT_EQ(p, silver) << x << "," << y;
            }
            red += p == cv::Vec3b(0, 0, 255);
        }
    }
    EXPECT_GT(red, 100);
}

TEST(IndicatorTest, ABitmapWithoutPixelsGivesNoPicture)
{
    CBitmap none;
    EXPECT_TRUE(BitmapToImage(none).empty());
}

TEST(IndicatorTest, DrawsEveryPixelButThoseWithRed192AtTheTopRight)
{
    TestableMorvaneDlg dlg;
    // A picture whose pixels have red 192 in the even columns (with varied
    // green and blue) and other colours in the odd ones.
    cv::Mat picture(32, 32, CV_8UC3);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            picture.at<cv::Vec3b>(y, x) =
                x % 2 == 0 ? cv::Vec3b(uchar(y * 7), uchar(x * 5), 192) : cv::Vec3b(uchar(x), uchar(y), uchar(x + y));
        }
    }
    dlg.m_pIndicator = picture;

    cv::Mat frame(480, 640, CV_8UC3, cv::Scalar(1, 2, 3));
    const cv::Mat before = frame.clone();
    dlg.m_pDisplayFrame->SetData(frame.data, frame.step);
    dlg.DrawIndicator();

    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const bool inside = x >= 598 && x <= 629 && y >= 5 && y <= 36;
            const cv::Vec3b expected = inside && (x - 598) % 2 == 1 ? picture.at<cv::Vec3b>(y - 5, x - 598)
                                                                    : before.at<cv::Vec3b>(y, x);
            ASSERT_EQ(frame.at<cv::Vec3b>(y, x), expected) << x << "," << y;
        }
    }
}

TEST(IndicatorTest, WithoutAPictureNothingIsDrawn)
{
    TestableMorvaneDlg dlg;
    dlg.m_pIndicator = cv::Mat();
    cv::Mat frame(480, 640, CV_8UC3, cv::Scalar(9, 9, 9));
    dlg.m_pDisplayFrame->SetData(frame.data, frame.step);
    dlg.DrawIndicator();
    EXPECT_EQ(cv::countNonZero(frame.reshape(1) != 9), 0);
}
