// Static controls ask their dialog for colours before painting.
#include <QImage>
#include <gtest/gtest.h>

#include "TestDialogs.h"
#include "UiTestSupport.h"

using namespace uitest;

namespace {

class RedTextDialog : public TestDialog {
public:
    bool red = true;
    std::vector<UINT> kinds;
    std::vector<CWnd*> controls;

protected:
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        HBRUSH hbr = TestDialog::OnCtlColor(pDC, pWnd, nCtlColor);
        kinds.push_back(nCtlColor);
        controls.push_back(pWnd);
        if (red && nCtlColor == CTLCOLOR_STATIC) {
            pDC->SetBkMode(TRANSPARENT);
            pDC->SetTextColor(RGB(255, 0, 0));
            return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        }
        return hbr;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RedTextDialog, TestDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

int RedPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.red() > 200 && c.green() < 80 && c.blue() < 80 ? 1 : 0;
        }
    }
    return count;
}

}  // namespace

TEST(CtlColorTest, StaticTextTakesTheColourTheDialogGives)
{
    for (const bool red : {true, false}) {
        RedTextDialog dlg;
        dlg.red = red;
        RunModal(dlg, [&] {
            CWnd* text = dlg.GetDlgItem(kTextId);
            const QImage shown = text->GetSafeHwnd()->grab().toImage();
            EXPECT_EQ(RedPixels(shown) > 0, red);
            ASSERT_FALSE(dlg.kinds.empty());
            EXPECT_EQ(dlg.kinds.back(), CTLCOLOR_STATIC);
            EXPECT_EQ(dlg.controls.back(), text);
            dlg.EndDialog(IDCANCEL);
        });
    }
}
