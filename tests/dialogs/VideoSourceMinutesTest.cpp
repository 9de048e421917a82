// The recording length in the video source dialog: 0 to 100 minutes pass,
// anything else keeps the dialog open with the framework's message and the
// focus back on the minutes box.
#include <gtest/gtest.h>

#include "VideoSourceSupport.h"

using namespace dlgtest;
using uitest::MessageBoxRecorder;
using uitest::RunModal;

TEST(VideoSourceMinutesTest, OkAcceptsTheRangeEnds)
{
    struct Case {
        const char* text;
        int minutes;
    };
    const Case cases[] = {
        {"0", 0},
        {"100", 100},
        {" 5", 5},
    };
    for (const Case& c : cases) {
        CVideoSourceDlg dlg(1);
        dlg.m_names = {"A", "B", "C"};
        MessageBoxRecorder boxes;
        const INT_PTR result = RunModal(dlg, [&] {
            MinutesBox(dlg)->setText(QString::fromUtf8(c.text));
            Button(dlg, IDOK)->click();
            CancelIfStillOpen(dlg);
        });
        EXPECT_EQ(result, IDOK) << c.text;
        EXPECT_EQ(dlg.m_nMinutes, c.minutes) << c.text;
        EXPECT_EQ(dlg.m_nSelected, 0) << c.text;
        EXPECT_TRUE(boxes.boxes.empty()) << c.text;
    }
}

TEST(VideoSourceMinutesTest, OkRefusesOtherMinutesAndKeepsTheDialogOpen)
{
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"101", "请输入一个在 0 和 100 之间的整数。"},
        // Only pasting gets a sign into the box.
        {"-1", "请输入一个在 0 和 100 之间的整数。"},
        {"", "请输入一个整数。"},
    };
    for (const Case& c : cases) {
        for (const OkWay& way : kOkWays) {
            CVideoSourceDlg dlg(1);
            dlg.m_names = {"A", "B", "C"};
            MessageBoxRecorder boxes;
            const INT_PTR result = RunModal(dlg, [&] {
                Combo(dlg)->setCurrentIndex(2);
                QLineEdit* minutes = MinutesBox(dlg);
                minutes->setText(QString::fromUtf8(c.text));
                way.press(dlg);

                EXPECT_EQ(boxes.boxes.size(), 1u) << way.name << " '" << c.text << "'";
                for (const MessageBoxRequest& box : boxes.boxes) {
                    EXPECT_EQ(box.text, c.message) << way.name;
                    EXPECT_EQ(box.caption, kAppName) << way.name;
                    EXPECT_EQ(box.type, 0x30u) << way.name;
                    EXPECT_EQ(box.owner, &dlg) << way.name;
                }
                EXPECT_NE(dlg.GetSafeHwnd(), nullptr) << way.name;
                EXPECT_EQ(dlg.GetSafeHwnd()->focusWidget(), minutes) << way.name << " '" << c.text << "'";
                EXPECT_EQ(minutes->selectedText(), minutes->text()) << way.name;
                // The position was stored before the check and stays.
                EXPECT_EQ(dlg.m_nSelected, 2) << way.name;

                // Corrected, the next OK passes with the same entry.
                minutes->setText("3");
                way.press(dlg);
                CancelIfStillOpen(dlg);
            });
            EXPECT_EQ(result, IDOK) << way.name << " '" << c.text << "'";
            EXPECT_EQ(dlg.m_nSelected, 2) << way.name;
            EXPECT_EQ(dlg.m_nMinutes, 3) << way.name;
            EXPECT_EQ(boxes.boxes.size(), 1u) << way.name;
        }
    }
}
