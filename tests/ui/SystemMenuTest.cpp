// The window's own system menu: standard entries, entries the program
// appends, and commands that reach OnSysCommand.
#include <QContextMenuEvent>
#include <gtest/gtest.h>

#include "TestDialogs.h"
#include "UiTestSupport.h"
#include "platform/ui/Menu.h"

using namespace uitest;

namespace {

void RightClick(QWidget* window)
{
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(3, 3), window->mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(window, &click);
}

std::vector<std::string> Entries(const CMenu& menu)
{
    std::vector<std::string> texts;
    for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
        std::string text;
        menu.GetMenuString(i, text, MF_BYPOSITION);
        texts.push_back(menu.GetMenuItemID(int(i)) == 0 ? "-" : text);
    }
    return texts;
}

const std::vector<std::string> kWithMinimise{"还原(&R)", "最小化(&N)", "-", "关闭(&C)\tAlt+F4"};
const std::vector<std::string> kWithoutMinimise{"还原(&R)", "-", "关闭(&C)\tAlt+F4"};

}  // namespace

TEST(SystemMenuTest, StandardEntriesFollowTheWindowsStyles)
{
    TestDialog withMinimise;
    RunModal(withMinimise, [&] {
        EXPECT_EQ(Entries(*withMinimise.GetSystemMenu(FALSE)), kWithMinimise);
        withMinimise.EndDialog(IDCANCEL);
    });
    TestDialog without(kOkCancelDialog);
    RunModal(without, [&] {
        EXPECT_EQ(Entries(*without.GetSystemMenu(FALSE)), kWithoutMinimise);
        without.EndDialog(IDCANCEL);
    });
}

TEST(SystemMenuTest, AppendedEntryIsShownLastAndReachesOnSysCommand)
{
    TestDialog dlg;
    std::vector<std::string> shown;
    RunModal(dlg, [&] {
        CMenu* menu = dlg.GetSystemMenu(FALSE);
        menu->AppendMenu(MF_SEPARATOR);
        menu->AppendMenu(MF_STRING, 16, "关于 Morvane(&A)...");
        WhenPopupOpens([&](QMenu* popup) {
            shown = MenuTexts(popup);
            return popup->actions().back();
        });
        RightClick(dlg.GetSafeHwnd());
        dlg.EndDialog(IDCANCEL);
    });
    const std::vector<std::string> expected{"还原(&R)", "最小化(&N)", "-", "关闭(&C)\tAlt+F4", "-",
                                            "关于 Morvane(&A)..."};
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(dlg.sysCommands, std::vector<UINT>{16});
    EXPECT_EQ(dlg.cancels, 0);
}

TEST(SystemMenuTest, RestoreIsGreyedWhileTheWindowIsNotMinimised)
{
    TestDialog dlg;
    RunModal(dlg, [&] {
        WhenPopupOpens([&](QMenu* popup) {
            EXPECT_FALSE(popup->actions()[0]->isEnabled());
            EXPECT_TRUE(popup->actions()[1]->isEnabled());
            return nullptr;
        });
        RightClick(dlg.GetSafeHwnd());
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_TRUE(dlg.sysCommands.empty());
}

TEST(SystemMenuTest, AltSpaceOpensTheMenuWhateverControlHasTheFocus)
{
    for (const int id : {kGoButtonId, kEditId, kComboId}) {
        TestDialog dlg;
        bool opened = false;
        RunModal(dlg, [&] {
            QWidget* control = dlg.GetDlgItem(id)->GetSafeHwnd();
            control->setFocus();
            WhenPopupOpens([&](QMenu*) {
                opened = true;
                return nullptr;
            });
            // To the widget that really has the focus (a combo box's field).
            SendKey(QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : control,
                    Qt::Key_Space, Qt::AltModifier, QStringLiteral(" "));
            std::string text;
            dlg.GetDlgItem(id)->GetWindowText(text);
            EXPECT_EQ(text.find(' '), std::string::npos) << id;  // no space typed
            dlg.EndDialog(IDCANCEL);
        });
        EXPECT_TRUE(opened) << id;
        EXPECT_EQ(dlg.goClicks, 0) << id;
    }
}

TEST(SystemMenuTest, MinimiseCommandMinimisesTheWindow)
{
    TestDialog dlg;
    RunModal(dlg, [&] {
        dlg.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        EXPECT_TRUE(dlg.IsIconic());
        dlg.SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
        EXPECT_FALSE(dlg.IsIconic());
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(SystemMenuTest, RevertBringsBackTheStandardEntries)
{
    TestDialog dlg;
    RunModal(dlg, [&] {
        dlg.GetSystemMenu(FALSE)->AppendMenu(MF_STRING, 16, "x");
        EXPECT_EQ(dlg.GetSystemMenu(TRUE), nullptr);
        EXPECT_EQ(Entries(*dlg.GetSystemMenu(FALSE)), kWithMinimise);
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(SystemMenuTest, WindowWithoutSystemMenuStyleHasNone)
{
    static constexpr DialogTemplate bare{9003, "Bare", WS_POPUP | WS_CAPTION | DS_SHELLFONT, 0, 0, 0, 80, 40,
                                         "MS Shell Dlg", 9, {}};
    TestDialog dlg(bare);
    RunModal(dlg, [&] {
        EXPECT_EQ(dlg.GetSystemMenu(FALSE), nullptr);
        dlg.EndDialog(IDCANCEL);
    });
}
