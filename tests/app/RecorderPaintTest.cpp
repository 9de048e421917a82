// What the recorder window looks like: the layout of template 102 on the
// screen, and the icon of the minimised window.
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "RecorderTestSupport.h"
#include "platform/ui/DialogUnits.h"
#include "res/resource.h"
#include "ui/UiTestSupport.h"

using namespace uitest;

namespace {

bool AllOf(const QImage& image, const QRect& area, const QColor& color)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) != color) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

TEST(RecorderPaintTest, ScreenshotShowsPreviewAndButtonsWhereTheTemplatePutsThem)
{
    TestableMorvaneDlg dlg;
    RunModal(dlg, [&] {
        QWidget* window = dlg.GetSafeHwnd();
        const QImage shot = window->grab().toImage();
        const QColor background = window->palette().color(QPalette::Window);

        // Dialog units with the base units of the template's font.
        const CSize base = GetFontBaseUnits(DialogFont(9));
        const QRect preview(MulDiv(7, base.cx, 4), MulDiv(44, base.cy, 8), MulDiv(424, base.cx, 4),
                            MulDiv(261, base.cy, 8));
        EXPECT_EQ(preview, MappedRect(dlg, 7, 44, 424, 261));
        EXPECT_TRUE(AllOf(shot, preview, Qt::black));
        // Just outside it the dialog shows.
        EXPECT_EQ(shot.pixelColor(preview.left() - 1, preview.center().y()), background);
        EXPECT_EQ(shot.pixelColor(preview.right() + 1, preview.center().y()), background);
        EXPECT_EQ(shot.pixelColor(preview.center().x(), preview.top() - 1), background);

        const int buttonX[] = {7, 69, 131, 193};
        for (int i = 0; i < 4; ++i) {
            const QRect place = MappedRect(dlg, buttonX[i], 7, 59, 34);
            QWidget* button = dlg.GetDlgItem(IDC_OPEN_CAMERA + i)->GetSafeHwnd();
            EXPECT_EQ(button->geometry(), place) << i;
            // The screenshot at that place is the button's own picture.
            EXPECT_EQ(shot.copy(place), button->grab().toImage().convertToFormat(shot.format())) << i;
        }
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(RecorderPaintTest, MinimisedWindowPaintsItsIconCentred)
{
    TestableMorvaneDlg dlg;
    RunModal(dlg, [&] {
        QWidget* window = dlg.GetSafeHwnd();
        dlg.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(dlg.IsIconic());
        const QImage shot = window->grab().toImage();

        const int cx = GetSystemMetrics(SM_CXICON);
        const int cy = GetSystemMetrics(SM_CYICON);
        const QPoint at((window->width() - cx + 1) / 2, (window->height() - cy + 1) / 2);
        // The icon as drawn at the system size.
        QImage expected(cx, cy, QImage::Format_ARGB32_Premultiplied);
        expected.fill(window->palette().color(QPalette::Window));
        {
            QPainter painter(&expected);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(QRect(0, 0, cx, cy), QImage(":/res/images/icon128.bmp"));
        }
        EXPECT_EQ(shot.copy(QRect(at, QSize(cx, cy))).convertToFormat(expected.format()), expected);
        // The rest is the window's background: no preview, no picture.
        EXPECT_EQ(shot.pixelColor(at - QPoint(1, 1)), window->palette().color(QPalette::Window));
        dlg.SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
        dlg.EndDialog(IDCANCEL);
    });
}
