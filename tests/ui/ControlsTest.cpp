// Controls by id: state, text, focus, the combo box and the digits-only edit box.
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "TestDialogs.h"
#include "UiTestSupport.h"

using namespace uitest;

TEST(ControlsTest, FocusGoesToTheFirstEnabledTabStopUnlessInitDeclines)
{
    struct Case {
        const char* name;
        bool disableGo;
        BOOL initResult;
        int expectedId;  // 0: nothing focused by the framework
    };
    for (const Case c : {Case{"first tab stop", false, TRUE, kGoButtonId},
                         Case{"skips a disabled one", true, TRUE, kEditId},
                         Case{"init returned FALSE", false, FALSE, 0}}) {
        TestDialog dlg;
        dlg.onInit = [&] {
            if (c.disableGo) {
                dlg.GetDlgItem(kGoButtonId)->EnableWindow(FALSE);
            }
            return c.initResult;
        };
        RunModal(dlg, [&] {
            QWidget* focus = dlg.GetSafeHwnd()->focusWidget();
            if (c.expectedId == 0) {
                EXPECT_EQ(focus, nullptr) << c.name;
            } else {
                EXPECT_EQ(focus, dlg.GetDlgItem(c.expectedId)->GetSafeHwnd()) << c.name;
            }
            dlg.EndDialog(IDCANCEL);
        });
    }
}

TEST(ControlsTest, EnableWindowReportsThePreviousState)
{
    TestDialog dlg;
    RunModal(dlg, [&] {
        CWnd* go = dlg.GetDlgItem(kGoButtonId);
        EXPECT_TRUE(go->IsWindowEnabled());
        EXPECT_FALSE(go->EnableWindow(FALSE));  // was enabled
        EXPECT_FALSE(go->IsWindowEnabled());
        EXPECT_TRUE(go->EnableWindow(FALSE));   // was disabled
        EXPECT_TRUE(go->EnableWindow(TRUE));
        EXPECT_TRUE(go->IsWindowEnabled());
        EXPECT_EQ(dlg.GetDlgItem(4711), nullptr);
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(dlg.GetDlgItem(kGoButtonId), nullptr);  // no window, no controls
}

TEST(ControlsTest, WindowTextRoundTripsForEveryKind)
{
    TestDialog dlg;
    RunModal(dlg, [&] {
        for (CWnd* wnd : {static_cast<CWnd*>(&dlg), dlg.GetDlgItem(kTextId), dlg.GetDlgItem(kGoButtonId),
                          dlg.GetDlgItem(kEditId), dlg.GetDlgItem(kComboId)}) {
            wnd->SetWindowText("视频源 1");
            std::string text;
            wnd->GetWindowText(text);
            EXPECT_EQ(text, "视频源 1");
        }
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(ControlsTest, ComboBoxKeepsOrderAndOnlyTheListSelectionCounts)
{
    TestDialog dlg;
    RunModal(dlg, [&] {
        auto* combo = static_cast<CComboBox*>(dlg.GetDlgItem(kComboId));
        EXPECT_EQ(combo->GetCurSel(), CB_ERR);
        EXPECT_EQ(combo->AddString("Zeta"), 0);
        EXPECT_EQ(combo->AddString("Alpha"), 1);
        EXPECT_EQ(combo->AddString("Alpha"), 2);  // same name, own entry
        EXPECT_EQ(combo->GetCount(), 3);
        EXPECT_EQ(combo->GetCurSel(), CB_ERR);    // adding selects nothing

        auto* box = qobject_cast<QComboBox*>(combo->GetSafeHwnd());
        EXPECT_EQ(box->itemText(0).toStdString(), "Zeta");  // not sorted
        EXPECT_EQ(combo->SetCurSel(2), 2);
        EXPECT_EQ(combo->GetCurSel(), 2);

        // Typing into the field, even an entry's name, and pressing Enter
        // neither selects nor adds anything.
        box->setEditText("Zeta");
        SendKey(box, Qt::Key_Return);
        EXPECT_EQ(combo->GetCurSel(), 2);
        EXPECT_EQ(combo->GetCount(), 3);

        EXPECT_EQ(combo->SetCurSel(3), CB_ERR);
        EXPECT_EQ(combo->GetCurSel(), CB_ERR);
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(ControlsTest, NumberEditTakesTypedDigitsOnlyButPastedTextWhole)
{
    TestDialog dlg;
    RunModal(dlg, [&] {
        auto* edit = qobject_cast<QLineEdit*>(dlg.GetDlgItem(kEditId)->GetSafeHwnd());
        edit->setFocus();
        SendKey(edit, Qt::Key_1, Qt::NoModifier, "1");
        SendKey(edit, Qt::Key_A, Qt::NoModifier, "a");
        SendKey(edit, Qt::Key_Minus, Qt::NoModifier, "-");
        SendKey(edit, Qt::Key_2, Qt::NoModifier, "2");
        EXPECT_EQ(edit->text().toStdString(), "12");

        // Text committed by an input method is held to the same rule.
        for (const char* committed : {"五", "3ａ", "3"}) {
            QInputMethodEvent commit;
            commit.setCommitString(QString::fromUtf8(committed));
            QApplication::sendEvent(edit, &commit);
        }
        EXPECT_EQ(edit->text().toStdString(), "123");
        edit->setText("12");

        QGuiApplication::clipboard()->setText("-3x");
        edit->paste();
        EXPECT_EQ(edit->text().toStdString(), "12-3x");

        static_cast<CEdit*>(dlg.GetDlgItem(kEditId))->SetSel(0, -1);
        EXPECT_EQ(edit->selectedText(), edit->text());
        static_cast<CEdit*>(dlg.GetDlgItem(kEditId))->SetSel(1, 3);
        EXPECT_EQ(edit->selectedText().toStdString(), "2-");
        dlg.EndDialog(IDCANCEL);
    });
}
