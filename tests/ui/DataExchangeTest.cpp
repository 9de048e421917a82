// Data exchange of an integer edit box with a range check, as the video
// source dialog uses it: what is read, what the operator is told, where the
// focus goes.
#include <QLineEdit>
#include <gtest/gtest.h>

#include "TestDialogs.h"
#include "UiTestSupport.h"
#include "platform/ui/Resources.h"

using namespace uitest;

namespace {

class MinutesDialog : public TestDialog {
public:
    explicit MinutesDialog(int minutes) : TestDialog(kOkCancelDialog), m_nMinutes(minutes)
    {
        exchange = [this](CDataExchange* pDX) {
            DDX_Text(pDX, kEditId, m_nMinutes);
            DDV_MinMaxInt(pDX, m_nMinutes, 0, 100);
        };
    }
    int m_nMinutes;
};

const char* const kNotAnInteger = "请输入一个整数。";
const char* const kOutOfRange = "请输入一个在 0 和 100 之间的整数。";

}  // namespace

TEST(DataExchangeTest, LoadingWritesTheValueAsDecimalText)
{
    MinutesDialog dlg(37);
    RunModal(dlg, [&] {
        std::string text;
        dlg.GetDlgItem(kEditId)->GetWindowText(text);
        EXPECT_EQ(text, "37");
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(DataExchangeTest, SavingReadsLikePercentDAndChecksTheRange)
{
    struct Case {
        const char* text;
        bool accepted;
        int value;            // when accepted
        const char* message;  // when refused
    };
    const Case cases[] = {
        {"0", true, 0, nullptr},
        {"100", true, 100, nullptr},
        {" 5", true, 5, nullptr},
        {"\t+7", true, 7, nullptr},
        {"12abc", true, 12, nullptr},
        {"101", false, 0, kOutOfRange},
        {"-1", false, 0, kOutOfRange},
        {"99999999999", false, 0, kOutOfRange},
        {"", false, 0, kNotAnInteger},
        {"abc", false, 0, kNotAnInteger},
        {"-", false, 0, kNotAnInteger},
    };
    for (const Case& c : cases) {
        MinutesDialog dlg(1);
        MessageBoxRecorder boxes;
        RunModal(dlg, [&] {
            auto* edit = qobject_cast<QLineEdit*>(dlg.GetDlgItem(kEditId)->GetSafeHwnd());
            // Pasted text, as typing could not put most of these in.
            edit->setText(QString::fromUtf8(c.text));
            dlg.GetDlgItem(IDOK)->SetFocus();
            const BOOL saved = dlg.UpdateData(TRUE);
            EXPECT_EQ(saved != FALSE, c.accepted) << c.text;
            if (c.accepted) {
                EXPECT_EQ(dlg.m_nMinutes, c.value) << c.text;
                EXPECT_TRUE(boxes.boxes.empty()) << c.text;
            } else {
                ASSERT_EQ(boxes.boxes.size(), 1u) << c.text;
                EXPECT_EQ(boxes.boxes[0].text, c.message) << c.text;
                EXPECT_EQ(boxes.boxes[0].caption, "ui_tests") << c.text;
                EXPECT_EQ(boxes.boxes[0].type, 0x30u) << c.text;
                EXPECT_EQ(boxes.boxes[0].owner, &dlg) << c.text;
                // Back to the box, its whole text selected for retyping.
                EXPECT_EQ(dlg.GetSafeHwnd()->focusWidget(), edit) << c.text;
                EXPECT_EQ(edit->selectedText(), edit->text()) << c.text;
            }
            dlg.EndDialog(IDCANCEL);
        });
    }
}

TEST(DataExchangeTest, OkEndsTheDialogOnlyWithValidData)
{
    MinutesDialog dlg(1);
    MessageBoxRecorder boxes;
    const INT_PTR result = RunModal(dlg, [&] {
        auto* edit = qobject_cast<QLineEdit*>(dlg.GetDlgItem(kEditId)->GetSafeHwnd());
        edit->setText("250");
        dlg.GetDlgItem(IDOK)->GetSafeHwnd()->setFocus();
        SendKey(dlg.GetSafeHwnd(), Qt::Key_Return);
        EXPECT_NE(dlg.GetSafeHwnd(), nullptr);  // still open
        EXPECT_EQ(boxes.boxes.size(), 1u);
        edit->setText("42");
        SendKey(dlg.GetSafeHwnd(), Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_nMinutes, 42);
}

TEST(DataExchangeTest, CancelExchangesNothing)
{
    MinutesDialog dlg(9);
    MessageBoxRecorder boxes;
    const INT_PTR result = RunModal(dlg, [&] {
        dlg.GetDlgItem(kEditId)->SetWindowText("");
        SendKey(dlg.GetSafeHwnd(), Qt::Key_Escape);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg.m_nMinutes, 9);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST(DataExchangeTest, ControlBindingMakesTheObjectTheControlsOwnUntilTheWindowGoes)
{
    TestDialog dlg;
    CComboBox combo;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Control(pDX, kComboId, combo); };
    RunModal(dlg, [&] {
        EXPECT_EQ(dlg.GetDlgItem(kComboId), &combo);
        EXPECT_NE(combo.GetSafeHwnd(), nullptr);
        // Binding again on the next exchange keeps the binding.
        EXPECT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(dlg.GetDlgItem(kComboId), &combo);
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(combo.GetSafeHwnd(), nullptr);
}

TEST(DataExchangeTest, SecondObjectCannotTakeABoundControl)
{
    TestDialog dlg;
    CComboBox first;
    CComboBox second;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Control(pDX, kComboId, first); };
    RunModal(dlg, [&] {
        EXPECT_FALSE(second.SubclassWindow(first.GetSafeHwnd()));
        EXPECT_EQ(dlg.GetDlgItem(kComboId), &first);
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(second.GetSafeHwnd(), nullptr);
}

TEST(DataExchangeTest, BindingAMissingControlFailsTheExchange)
{
    TestDialog dlg;
    CStatic missing;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Control(pDX, 4711, missing); };
    RunModal(dlg, [&] {
        EXPECT_FALSE(dlg.UpdateData(TRUE));
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(DataExchangeTest, FormatString2SubstitutesEachPlaceholderOnce)
{
    std::string text;
    AfxFormatString2(text, AFX_IDP_PARSE_INT_RANGE, "%2", "100");
    EXPECT_EQ(text, "请输入一个在 %2 和 100 之间的整数。");
}
