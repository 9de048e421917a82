// Ending a dialog: Escape, the close box, Alt+F4 and Close in the system menu
// all reach OnCancel; Enter reaches the focused or default button and never
// ends a dialog that has no OK command.
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <gtest/gtest.h>

#include "TestDialogs.h"
#include "UiTestSupport.h"
#include "platform/ui/WinApp.h"

using namespace uitest;

namespace {

struct CloseWay {
    const char* name;
    std::function<void(QWidget* window)> act;
};

const CloseWay kCloseWays[] = {
    {"Escape", [](QWidget* w) { SendKey(KeyTarget(w), Qt::Key_Escape); }},
    {"Escape in the edit box", [](QWidget* w) {
         QWidget* edit = CWnd::FromHandle(w)->GetDlgItem(kEditId)->GetSafeHwnd();
         SendKey(edit, Qt::Key_Escape);
     }},
    {"Escape in the combo box", [](QWidget* w) {
         QWidget* combo = CWnd::FromHandle(w)->GetDlgItem(kComboId)->GetSafeHwnd();
         SendKey(combo, Qt::Key_Escape);
     }},
    {"close box", [](QWidget* w) { w->close(); }},
    {"Alt+F4", [](QWidget* w) { SendKey(KeyTarget(w), Qt::Key_F4, Qt::AltModifier); }},
    {"Close in the system menu", [](QWidget* w) {
         WhenPopupOpens([](QMenu* menu) { return menu->actions().back(); });
         QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), w->mapToGlobal(QPoint(5, 5)));
         QApplication::sendEvent(w, &click);
     }},
};

}  // namespace

TEST(DialogKeysTest, EveryWayOfClosingReachesOnCancel)
{
    for (const CloseWay& way : kCloseWays) {
        TestDialog dlg;
        const INT_PTR result = RunModal(dlg, [&] { way.act(dlg.GetSafeHwnd()); });
        EXPECT_EQ(result, IDCANCEL) << way.name;
        EXPECT_EQ(dlg.cancels, 1) << way.name;
        EXPECT_EQ(dlg.GetSafeHwnd(), nullptr) << way.name;
    }
}

TEST(DialogKeysTest, InputQueuedBehindTheEndIsNotHandled)
{
    // Escape ends the dialog; a button press typed right after it is already
    // queued and must not reach a handler of the ended dialog.
    TestDialog dlg;
    RunModal(dlg, [&] {
        QWidget* window = dlg.GetSafeHwnd();
        QWidget* go = dlg.GetDlgItem(kGoButtonId)->GetSafeHwnd();
        go->setFocus();
        QApplication::postEvent(window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        QApplication::postEvent(go, new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " "));
        QApplication::postEvent(go, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " "));
    });
    EXPECT_EQ(dlg.cancels, 1);
    EXPECT_EQ(dlg.goClicks, 0);
}

TEST(DialogKeysTest, CancelThatDoesNotEndKeepsTheWindow)
{
    class Refusing : public TestDialog {
    protected:
        void OnCancel() override { ++cancels; }
    };
    Refusing dlg;
    const INT_PTR result = RunModal(dlg, [&] {
        QWidget* window = dlg.GetSafeHwnd();
        SendKey(window, Qt::Key_Escape);
        window->close();
        EXPECT_EQ(dlg.cancels, 2);
        EXPECT_TRUE(window->isVisible());
        dlg.EndDialog(7);
    });
    EXPECT_EQ(result, 7);
}

TEST(DialogKeysTest, EnterWithoutDefaultButtonDoesNotEndTheDialog)
{
    TestDialog dlg;
    RunModal(dlg, [&] {
        QWidget* edit = dlg.GetDlgItem(kEditId)->GetSafeHwnd();
        edit->setFocus();
        SendKey(edit, Qt::Key_Return);
        SendKey(edit, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(dlg.oks, 0);
        EXPECT_EQ(dlg.goClicks, 0);
        EXPECT_NE(dlg.GetSafeHwnd(), nullptr);
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(dlg.oks, 0);
}

TEST(DialogKeysTest, EnterClicksTheFocusedPushButton)
{
    TestDialog dlg;
    RunModal(dlg, [&] {
        QWidget* go = dlg.GetDlgItem(kGoButtonId)->GetSafeHwnd();
        go->setFocus();
        SendKey(go, Qt::Key_Return);
        EXPECT_EQ(dlg.goClicks, 1);
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(DialogKeysTest, EnterElsewhereClicksTheDefaultButton)
{
    TestDialog dlg(kOkCancelDialog);
    const INT_PTR result = RunModal(dlg, [&] {
        QWidget* edit = dlg.GetDlgItem(kEditId)->GetSafeHwnd();
        edit->setFocus();
        SendKey(edit, Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.oks, 1);
}

TEST(DialogKeysTest, EnterOnFocusedCancelButtonCancels)
{
    TestDialog dlg(kOkCancelDialog);
    const INT_PTR result = RunModal(dlg, [&] {
        QWidget* cancel = dlg.GetDlgItem(IDCANCEL)->GetSafeHwnd();
        cancel->setFocus();
        SendKey(cancel, Qt::Key_Return);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg.oks, 0);
}

TEST(DialogKeysTest, DisabledDefaultButtonIgnoresEnter)
{
    TestDialog dlg(kOkCancelDialog);
    RunModal(dlg, [&] {
        dlg.GetDlgItem(IDOK)->EnableWindow(FALSE);
        QWidget* edit = dlg.GetDlgItem(kEditId)->GetSafeHwnd();
        edit->setFocus();
        SendKey(edit, Qt::Key_Return);
        EXPECT_EQ(dlg.oks, 0);
        dlg.EndDialog(IDCANCEL);
    });
}

namespace {

class HelpApp : public CWinApp {
public:
    int helps = 0;
    void OnAppHelp() { ++helps; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HelpApp, CWinApp)
    ON_COMMAND(ID_HELP, &HelpApp::OnAppHelp)
END_MESSAGE_MAP()

}  // namespace

TEST(DialogKeysTest, HelpKeyReachesTheApplicationsHelpCommand)
{
    HelpApp app;
    TestDialog dlg;
    RunModal(dlg, [&] {
        SendKey(dlg.GetSafeHwnd(), Qt::Key_F1);
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(app.helps, 1);
}
