// The preview box on a real control: blank canvas, frames scaled onto the
// whole client area for any size, blanking, and drawing nothing (and holding
// nothing) without a canvas or a window.
#include <QImage>
#include <array>
#include <cstdlib>
#include <gtest/gtest.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "RecorderTestSupport.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Dialog.h"
#include "preview/PictureBox.h"
#include "ui/UiTestSupport.h"

using namespace uitest;

namespace {

constexpr int kBoxId = 1000;
constexpr std::array<DialogItemTemplate, 1> kHostItems{{
    {kBoxId, ControlClass::Static, nullptr, 0, 7, 7, 100, 60, WS_CHILD | WS_VISIBLE | SS_BLACKFRAME, 0},
}};
constexpr DialogTemplate kHostDialog{9100, "Host", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SHELLFONT, 0,
                                     0, 0, 500, 400, "MS Shell Dlg", 9, kHostItems};

// A dialog with one preview box, sized in pixels so that its client area is
// exactly what a test asks for.
class PreviewHost : public CDialog {
public:
    PreviewHost() { InitModalIndirect(&kHostDialog); }
    CPictureBox m_box;

    void SizeClientArea(int width, int height)
    {
        m_box.GetSafeHwnd()->resize(width + 2, height + 2);  // plus the frame
    }
    // What the screen shows in the box's client area.
    QImage Shown() const
    {
        const QImage whole = m_box.GetSafeHwnd()->grab().toImage();
        return whole.copy(1, 1, whole.width() - 2, whole.height() - 2);
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, kBoxId, m_box);
    }
};

// A 640x480 frame in four quadrants: red, green / blue, white.
cv::Mat QuadrantFrame()
{
    cv::Mat frame(480, 640, CV_8UC3);
    frame(cv::Rect(0, 0, 320, 240)).setTo(cv::Scalar(0, 0, 255));
    frame(cv::Rect(320, 0, 320, 240)).setTo(cv::Scalar(0, 255, 0));
    frame(cv::Rect(0, 240, 320, 240)).setTo(cv::Scalar(255, 0, 0));
    frame(cv::Rect(320, 240, 320, 240)).setTo(cv::Scalar(255, 255, 255));
    return frame;
}

}  // namespace

TEST(PictureBoxTest, BlankAfterInitCanvas)
{
    PreviewHost host;
    RunModal(host, [&] {
        host.SizeClientArea(600, 400);
        host.m_box.InitCanvas();
        host.m_box.Redraw();
        const QImage shown = host.Shown();
        EXPECT_EQ(shown.size(), QSize(600, 400));
        EXPECT_TRUE(AllBlack(shown));
        host.EndDialog(IDCANCEL);
    });
}

TEST(PictureBoxTest, FrameFillsTheWholeBoxScaledOnEachAxis)
{
    PreviewHost host;
    RunModal(host, [&] {
        host.SizeClientArea(600, 400);
        host.m_box.InitCanvas();
        host.m_box.ShowImage(QuadrantFrame());
        host.m_box.Redraw();
        const QImage shown = host.Shown();
        // Corners: nothing cropped, no margin.
        EXPECT_EQ(shown.pixelColor(0, 0), QColor(255, 0, 0));
        EXPECT_EQ(shown.pixelColor(599, 0), QColor(0, 255, 0));
        EXPECT_EQ(shown.pixelColor(0, 399), QColor(0, 0, 255));
        EXPECT_EQ(shown.pixelColor(599, 399), QColor(255, 255, 255));
        // The split at column 320 of 640 lands at 300 of 600, row 240 of 480
        // at 200 of 400: 600/640 across, 400/480 down.
        EXPECT_EQ(shown.pixelColor(297, 100), QColor(255, 0, 0));
        EXPECT_EQ(shown.pixelColor(302, 100), QColor(0, 255, 0));
        EXPECT_EQ(shown.pixelColor(100, 197), QColor(255, 0, 0));
        EXPECT_EQ(shown.pixelColor(100, 202), QColor(0, 0, 255));
        host.EndDialog(IDCANCEL);
    });
}

TEST(PictureBoxTest, OddWidthsShowNoSkew)
{
    // Left half black, right half white: every row must split at the same column.
    cv::Mat frame(480, 640, CV_8UC3, cv::Scalar(0, 0, 0));
    frame(cv::Rect(320, 0, 320, 480)).setTo(cv::Scalar(255, 255, 255));
    for (const int width : {601, 599, 333, 7}) {
        PreviewHost host;
        RunModal(host, [&] {
            host.SizeClientArea(width, 97);
            host.m_box.InitCanvas();
            host.m_box.ShowImage(frame);
            host.m_box.Redraw();
            const QImage shown = host.Shown();
            ASSERT_EQ(shown.width(), width);
            // Rounding in the scaler may move the one blended column by a
            // step; a skew would shift the split by whole pixels row by row.
            const auto near = [](const QColor& a, const QColor& b) {
                return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 &&
                       std::abs(a.blue() - b.blue()) <= 2;
            };
            for (int y = 1; y < shown.height(); ++y) {
                for (int x = 0; x < width; ++x) {
                    if (!near(shown.pixelColor(x, y), shown.pixelColor(x, 0))) {
                        ADD_FAILURE() << "width " << width << ": row " << y << " differs at " << x << ": "
                                      << shown.pixelColor(x, y).red() << " vs " << shown.pixelColor(x, 0).red();
                        y = shown.height();
                        break;
                    }
                }
            }
            EXPECT_EQ(shown.pixelColor(0, 50), QColor(Qt::black)) << width;
            EXPECT_EQ(shown.pixelColor(width - 1, 50), QColor(Qt::white)) << width;
            host.EndDialog(IDCANCEL);
        });
    }
}

TEST(PictureBoxTest, ClearCanvasThenRedrawIsBlackAgainAndAgain)
{
    PreviewHost host;
    RunModal(host, [&] {
        host.SizeClientArea(200, 100);
        host.m_box.InitCanvas();
        host.m_box.ShowImage(QuadrantFrame());
        host.m_box.Redraw();
        EXPECT_FALSE(AllBlack(host.Shown()));
        host.m_box.ClearCanvas();
        EXPECT_FALSE(AllBlack(host.Shown()));  // blanking alone draws nothing
        host.m_box.Redraw();
        EXPECT_TRUE(AllBlack(host.Shown()));
        host.m_box.Redraw();
        EXPECT_TRUE(AllBlack(host.Shown()));
        host.EndDialog(IDCANCEL);
    });
}

TEST(PictureBoxTest, WithoutCanvasNothingIsDrawnAndNothingHeld)
{
    const int dcs = GdiLiveDeviceContexts();
    const int bitmaps = GdiLiveBitmaps();
    PreviewHost host;
    RunModal(host, [&] {
        host.SizeClientArea(120, 80);
        const QImage before = host.Shown();
        host.m_box.ShowImage(QuadrantFrame());
        host.m_box.Redraw();
        EXPECT_EQ(host.Shown(), before);
        EXPECT_FALSE(AllBlack(host.Shown()));  // the dialog shows through
        EXPECT_EQ(GdiLiveDeviceContexts(), dcs);
        host.EndDialog(IDCANCEL);
    });
    // Without a window: no DC to draw on.
    host.m_box.Redraw();
    EXPECT_EQ(GdiLiveDeviceContexts(), dcs);
    EXPECT_EQ(GdiLiveBitmaps(), bitmaps);
}

TEST(PictureBoxTest, RedrawGivesBackEverythingItTakes)
{
    PreviewHost host;
    RunModal(host, [&] {
        host.SizeClientArea(64, 48);
        host.m_box.InitCanvas();
        const int dcs = GdiLiveDeviceContexts();
        const int bitmaps = GdiLiveBitmaps();
        for (int i = 0; i < 3; ++i) {
            host.m_box.ShowImage(QuadrantFrame());
            host.m_box.Redraw();
        }
        EXPECT_EQ(GdiLiveDeviceContexts(), dcs);
        EXPECT_EQ(GdiLiveBitmaps(), bitmaps);
        host.EndDialog(IDCANCEL);
    });
}

TEST(PictureBoxTest, ImagesOfAnotherTypeLeaveTheCanvasAlone)
{
    PreviewHost host;
    RunModal(host, [&] {
        host.SizeClientArea(64, 48);
        host.m_box.InitCanvas();
        host.m_box.ShowImage(cv::Mat(480, 640, CV_8UC1, cv::Scalar(255)));
        host.m_box.ShowImage(cv::Mat());
        host.m_box.Redraw();
        EXPECT_TRUE(AllBlack(host.Shown()));
        host.EndDialog(IDCANCEL);
    });
}
