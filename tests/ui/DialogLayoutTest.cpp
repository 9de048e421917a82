// Dialog templates become windows: sizes and places in dialog units, the
// window's frame and styles, pictures at their own size, placement.
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

#include "TestDialogs.h"
#include "UiTestSupport.h"
#include "platform/ui/DialogUnits.h"
#include "res/resource.h"

using namespace uitest;

namespace {

QWidget* StaticWithPicture(QWidget* window, const QPoint& topLeft)
{
    for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->pos() == topLeft) {
            return child;
        }
    }
    return nullptr;
}

}  // namespace

TEST(MulDivTest, RoundsHalfAwayFromZero)
{
    struct Case {
        int a, b, c, expected;
    };
    const Case cases[] = {
        {1, 7, 4, 2},   {2, 7, 4, 4},    {3, 7, 4, 5},  {1, 14, 8, 2},
        {-1, 7, 4, -2}, {5, 1, 2, 3},    {-5, 1, 2, -3}, {0, 9, 4, 0},
        {424, 7, 4, 742}, {7, 3, 0, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
    }
}

TEST(DialogUnitsTest, RectanglesScaleByAQuarterOfTheWidthAndAnEighthOfTheHeight)
{
    // Worked by hand for base units of 7 x 15 pixels: x and widths times 7/4,
    // y and heights times 15/8, each rounded half away from zero.
    const CSize base(7, 15);
    struct Case {
        RECT dialogUnits;
        RECT pixels;
    };
    const Case cases[] = {
        {{7, 44, 424, 261}, {12, 83, 742, 489}},   // the preview frame
        {{7, 7, 59, 34}, {12, 13, 103, 64}},       // "打开相机"
        {{305, 7, 125, 34}, {534, 13, 219, 64}},   // the top-right picture
        {{0, 0, 438, 366}, {0, 0, 767, 686}},      // the whole window
    };
    for (const Case& c : cases) {
        const RECT r = MapDialogUnits(c.dialogUnits, base);
        EXPECT_EQ(r.left, c.pixels.left) << c.dialogUnits.left;
        EXPECT_EQ(r.top, c.pixels.top) << c.dialogUnits.top;
        EXPECT_EQ(r.right, c.pixels.right) << c.dialogUnits.right;
        EXPECT_EQ(r.bottom, c.pixels.bottom) << c.dialogUnits.bottom;
    }
}

TEST(DialogUnitsTest, BaseUnitsComeFromTheFontMetrics)
{
    const QFont font = DialogFont(9);
    EXPECT_EQ(font.pixelSize(), 12);  // 9 points at 96 dots an inch
    const CSize base = GetFontBaseUnits(font);
    EXPECT_EQ(base.cy, QFontMetrics(font).height());
    // Half-rounded average width of the letters: somewhere between the
    // narrowest and the widest letter.
    const QFontMetrics metrics(font);
    EXPECT_GE(base.cx, metrics.horizontalAdvance(QLatin1Char('i')));
    EXPECT_LE(base.cx, metrics.horizontalAdvance(QLatin1Char('W')));
}

TEST(DialogLayoutTest, WindowAndControlsTakeTheirTemplateRectangles)
{
    TestDialog dlg;
    RunModal(dlg, [&] {
        QWidget* window = dlg.GetSafeHwnd();
        const CSize base = GetFontBaseUnits(DialogFont(9));
        // 4 horizontal units are one average character, 8 vertical ones its height.
        EXPECT_EQ(MappedRect(dlg, 4, 8, 40, 16), QRect(base.cx, base.cy, 10 * base.cx, 2 * base.cy));
        EXPECT_EQ(window->size(), MappedRect(dlg, 0, 0, 160, 100).size());
        for (const DialogItemTemplate& item : kPlainItems) {
            QWidget* control = dlg.GetDlgItem(item.id)->GetSafeHwnd();
            const QRect expected = MappedRect(dlg, item.x, item.y, item.cx, item.cy);
            EXPECT_EQ(control->pos(), expected.topLeft()) << item.id;
            if (item.controlClass == ControlClass::ComboBox) {
                // The template height is the dropped-down height.
                EXPECT_EQ(control->width(), expected.width());
                EXPECT_LT(control->height(), expected.height());
            } else {
                EXPECT_EQ(control->size(), expected.size()) << item.id;
            }
        }
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(DialogLayoutTest, MainWindowKeepsItsSizeAndHasTaskbarEntryAndMinimiseButton)
{
    CDialog dlg(IDD_MORVANE_DIALOG);
    RunModal(dlg, [&] {
        QWidget* window = dlg.GetSafeHwnd();
        EXPECT_EQ(window->windowTitle().toStdString(), "Vexaro   视频录像软件");
        EXPECT_EQ(window->minimumSize(), window->maximumSize());
        EXPECT_EQ(window->size(), MappedRect(dlg, 0, 0, 438, 366).size());
        EXPECT_EQ(window->windowType(), Qt::Window);
        const Qt::WindowFlags flags = window->windowFlags();
        EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(DialogLayoutTest, PictureStaticsTakeThePicturesPixelSize)
{
    CDialog dlg(IDD_MORVANE_DIALOG);
    RunModal(dlg, [&] {
        QWidget* window = dlg.GetSafeHwnd();
        struct Case {
            int x, y;
            QSize size;
        };
        for (const Case& c : {Case{7, 308, {96, 96}}, Case{305, 7, {219, 60}}, Case{61, 308, {649, 96}}}) {
            const QPoint topLeft = MappedRect(dlg, c.x, c.y, 0, 0).topLeft();
            QWidget* picture = StaticWithPicture(window, topLeft);
            ASSERT_NE(picture, nullptr) << c.x << "," << c.y;
            EXPECT_EQ(picture->size(), c.size) << c.x << "," << c.y;
        }
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(DialogLayoutTest, ZeroPositionCentresOnTheScreenOrOverTheOwner)
{
    TestDialog owner;
    RunModal(owner, [&] {
        QWidget* ownerWindow = owner.GetSafeHwnd();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const auto centred = [](const QRect& inner, const QRect& outer) {
            const QPoint offset = (inner.topLeft() - outer.topLeft()) * 2 + QPoint(inner.width(), inner.height()) -
                                  QPoint(outer.width(), outer.height());
            return std::abs(offset.x()) <= 1 && std::abs(offset.y()) <= 1;
        };
        EXPECT_TRUE(centred(ownerWindow->frameGeometry(), screen));

        TestDialog owned(kOkCancelDialog);
        RunModal(owned, [&] {
            QWidget* window = owned.GetSafeHwnd();
            EXPECT_EQ(window->parentWidget(), ownerWindow);
            EXPECT_EQ(window->windowType(), Qt::Dialog);
            EXPECT_TRUE(centred(window->frameGeometry(), ownerWindow->frameGeometry()));
            owned.EndDialog(IDCANCEL);
        });
        owner.EndDialog(IDCANCEL);
    });
}

TEST(DialogLayoutTest, MissingTemplateGivesNoWindow)
{
    CDialog dlg(4242);
    EXPECT_EQ(dlg.DoModal(), -1);
}
