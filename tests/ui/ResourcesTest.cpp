// Strings and templates by id.
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "platform/ui/Resources.h"
#include "res/resource.h"

using namespace uitest;

TEST(ResourcesTest, StringsOfTheProgramAndOfTheFramework)
{
    struct Case {
        UINT id;
        bool found;
        const char* text;
    };
    for (const Case& c : {Case{IDS_ABOUTBOX, true, "关于 Morvane(&A)..."},
                          Case{AFX_IDP_PARSE_INT, true, "请输入一个整数。"},
                          Case{AFX_IDP_PARSE_INT_RANGE, true, "请输入一个在 %1 和 %2 之间的整数。"},
                          Case{4711, false, ""}}) {
        std::string text = "old";
        EXPECT_EQ(LoadString(c.id, text) != FALSE, c.found) << c.id;
        EXPECT_EQ(text, c.text) << c.id;
    }
}

TEST(ResourcesTest, VideoSourceTemplateGivesAnEditableComboAndFocusOnOk)
{
    CDialog dlg(IDD_VIDEO_SOURCE);
    RunModal(dlg, [&] {
        QWidget* window = dlg.GetSafeHwnd();
        EXPECT_EQ(window->windowTitle().toStdString(), "视频源");
        auto* combo = qobject_cast<QComboBox*>(dlg.GetDlgItem(IDC_SOURCE_COMBO)->GetSafeHwnd());
        ASSERT_NE(combo, nullptr);
        EXPECT_TRUE(combo->isEditable());
        EXPECT_NE(qobject_cast<QLineEdit*>(dlg.GetDlgItem(IDC_MINUTES_EDIT)->GetSafeHwnd()), nullptr);
        // OK is first in tab order.
        EXPECT_EQ(window->focusWidget(), dlg.GetDlgItem(IDOK)->GetSafeHwnd());
        SendKey(window, Qt::Key_Escape);
    });
}

TEST(ResourcesTest, AboutBoxClosesWithItsButton)
{
    CDialog dlg(IDD_ABOUTBOX);
    const INT_PTR result = RunModal(dlg, [&] {
        EXPECT_EQ(dlg.GetSafeHwnd()->windowTitle().toStdString(), "关于 Morvane");
        std::string text;
        dlg.GetDlgItem(IDOK)->GetWindowText(text);
        EXPECT_EQ(text, "确定");
        qobject_cast<QAbstractButton*>(dlg.GetDlgItem(IDOK)->GetSafeHwnd())->click();
    });
    EXPECT_EQ(result, IDOK);
}
