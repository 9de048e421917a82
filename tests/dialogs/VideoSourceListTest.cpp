// The camera list of the video source dialog: what it offers, which entry OK
// reports, and that nothing but the list's selection is ever read.
#include <gtest/gtest.h>

#include "VideoSourceSupport.h"

using namespace dlgtest;
using uitest::MessageBoxRecorder;
using uitest::RunModal;
using uitest::SendKey;

namespace {

using Names = std::vector<std::string>;

}  // namespace

TEST(VideoSourceListTest, OffersTheNamesInOrderWithTheFirstSelectedAndFocusOnOk)
{
    const Names cases[] = {
        {"USB Camera", "Integrated Webcam", "虚拟摄像机"},
        // Equal names stay apart: only the position tells them apart.
        {"USB Camera", "USB Camera"},
        // Not sorted: the order is the devices' order.
        {"b", "a", "c"},
        {"only"},
    };
    for (const Names& names : cases) {
        CVideoSourceDlg dlg(7);
        dlg.m_names = names;
        RunModal(dlg, [&] {
            QComboBox* combo = Combo(dlg);
            EXPECT_EQ(Entries(combo), names);
            EXPECT_EQ(combo->currentIndex(), 0) << names[0];
            EXPECT_EQ(combo->currentText().toStdString(), names[0]);
            EXPECT_EQ(MinutesBox(dlg)->text().toStdString(), "7");
            EXPECT_EQ(dlg.GetSafeHwnd()->focusWidget(), Button(dlg, IDOK)) << names[0];
            dlg.EndDialog(IDCANCEL);
        });
    }
}

TEST(VideoSourceListTest, OkWithoutChangesGivesTheFirstEntryAndTheGivenMinutes)
{
    for (const int minutes : {1, 0, 55, 100}) {
        for (const OkWay& way : kOkWays) {
            CVideoSourceDlg dlg(minutes);
            dlg.m_names = {"A", "B", "C"};
            MessageBoxRecorder boxes;
            const INT_PTR result = RunModal(dlg, [&] {
                way.press(dlg);
                CancelIfStillOpen(dlg);
            });
            EXPECT_EQ(result, IDOK) << way.name << " " << minutes;
            EXPECT_EQ(dlg.m_nSelected, 0) << way.name << " " << minutes;
            EXPECT_EQ(dlg.m_nMinutes, minutes) << way.name;
            EXPECT_TRUE(boxes.boxes.empty()) << way.name << " " << minutes;
        }
    }
}

TEST(VideoSourceListTest, OkGivesThePositionTheOperatorChose)
{
    struct Case {
        Names names;
        int downPresses;  // arrow-down presses in the list
        int expected;
    };
    const Case cases[] = {
        {{"A", "B", "C"}, 2, 2},
        {{"A", "B", "C"}, 1, 1},
        {{"USB Camera", "USB Camera"}, 1, 1},
        // The list does not wrap past its end.
        {{"A", "B"}, 5, 1},
    };
    for (const Case& c : cases) {
        CVideoSourceDlg dlg(1);
        dlg.m_names = c.names;
        const INT_PTR result = RunModal(dlg, [&] {
            QComboBox* combo = Combo(dlg);
            combo->setFocus();
            for (int i = 0; i < c.downPresses; ++i) {
                SendKey(combo, Qt::Key_Down);
            }
            EXPECT_EQ(combo->currentIndex(), c.expected);
            Button(dlg, IDOK)->click();
            CancelIfStillOpen(dlg);
        });
        EXPECT_EQ(result, IDOK) << c.downPresses;
        EXPECT_EQ(dlg.m_nSelected, c.expected) << c.downPresses;
    }
}

TEST(VideoSourceListTest, TextTypedIntoTheComboBoxIsNeverRead)
{
    struct Case {
        const char* typed;
        int chosen;  // selected before typing
    };
    const Case cases[] = {
        {"C", 1},        // another entry's name
        {"xyz", 0},      // no entry's name
        {"A", 2},
    };
    for (const Case& c : cases) {
        for (const OkWay& way : kOkWays) {
            CVideoSourceDlg dlg(1);
            dlg.m_names = {"A", "B", "C"};
            MessageBoxRecorder boxes;
            const INT_PTR result = RunModal(dlg, [&] {
                QComboBox* combo = Combo(dlg);
                combo->setCurrentIndex(c.chosen);
                QLineEdit* field = combo->lineEdit();
                field->setFocus();
                field->selectAll();
                Type(field, QString::fromUtf8(c.typed));
                EXPECT_EQ(field->text().toStdString(), c.typed);
                way.press(dlg);
                CancelIfStillOpen(dlg);
            });
            EXPECT_EQ(result, IDOK) << way.name << " " << c.typed;
            EXPECT_EQ(dlg.m_nSelected, c.chosen) << way.name << " " << c.typed;
            EXPECT_TRUE(boxes.boxes.empty()) << way.name;
        }
    }
}

TEST(VideoSourceListTest, EmptyListAsksForACameraOnEveryOk)
{
    CVideoSourceDlg dlg(1);
    MessageBoxRecorder boxes;
    const INT_PTR result = RunModal(dlg, [&] {
        EXPECT_EQ(Combo(dlg)->count(), 0);
        EXPECT_EQ(Combo(dlg)->currentIndex(), -1);
        // A name typed into the field neither selects nor adds anything.
        QLineEdit* field = Combo(dlg)->lineEdit();
        field->setFocus();
        Type(field, "A");
        for (const OkWay& way : kOkWays) {
            boxes.boxes.clear();
            way.press(dlg);
            EXPECT_EQ(boxes.boxes.size(), 1u) << way.name;
            for (const MessageBoxRequest& box : boxes.boxes) {
                EXPECT_EQ(box.text, "请选择一个摄像机!") << way.name;
                EXPECT_EQ(box.caption, "打开摄像机") << way.name;
                EXPECT_EQ(box.type, 0x30u) << way.name;
                EXPECT_EQ(box.owner, &dlg) << way.name;
            }
            EXPECT_NE(dlg.GetSafeHwnd(), nullptr) << way.name;
            EXPECT_TRUE(dlg.GetSafeHwnd()->isVisible()) << way.name;
            EXPECT_EQ(Combo(dlg)->count(), 0) << way.name;
        }
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST(VideoSourceListTest, CancelEndsWithoutReadingTheMinutes)
{
    struct CloseWay {
        const char* name;
        std::function<void(CVideoSourceDlg&)> act;
    };
    const CloseWay ways[] = {
        {"Cancel", [](CVideoSourceDlg& dlg) { Button(dlg, IDCANCEL)->click(); }},
        {"Escape", [](CVideoSourceDlg& dlg) { SendKey(uitest::KeyTarget(dlg.GetSafeHwnd()), Qt::Key_Escape); }},
        {"close box", [](CVideoSourceDlg& dlg) { dlg.GetSafeHwnd()->close(); }},
    };
    const Names lists[] = {{}, {"A", "B"}};
    for (const Names& names : lists) {
        for (const CloseWay& way : ways) {
            for (const char* text : {"", "abc", "500", "9"}) {
                CVideoSourceDlg dlg(4);
                dlg.m_names = names;
                MessageBoxRecorder boxes;
                const INT_PTR result = RunModal(dlg, [&] {
                    MinutesBox(dlg)->setText(QString::fromUtf8(text));
                    way.act(dlg);
                });
                EXPECT_EQ(result, IDCANCEL) << way.name << " '" << text << "' " << names.size();
                EXPECT_EQ(dlg.m_nMinutes, 4) << way.name << " '" << text << "' " << names.size();
                EXPECT_TRUE(boxes.boxes.empty()) << way.name << " '" << text << "' " << names.size();
            }
        }
    }
}
