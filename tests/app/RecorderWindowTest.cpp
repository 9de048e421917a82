// The recorder window: its first state, the About entry, and the exit guard.
#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QImage>
#include <gtest/gtest.h>

#include "RecorderTestSupport.h"
#include "media/FakeCaptureDevice.h"
#include "platform/os/ProgramPath.h"
#include "platform/ui/Menu.h"
#include "res/resource.h"
#include "ui/UiTestSupport.h"

using namespace uitest;

namespace {

const int kButtons[] = {IDC_OPEN_CAMERA, IDC_CLOSE_CAMERA, IDC_START_RECORDING, IDC_STOP_RECORDING};

std::vector<bool> ButtonStates(CWnd& dlg)
{
    std::vector<bool> states;
    for (const int id : kButtons) {
        states.push_back(dlg.GetDlgItem(id)->IsWindowEnabled() != FALSE);
    }
    return states;
}

void RightClick(QWidget* window)
{
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(3, 3), window->mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(window, &click);
}

struct CloseWay {
    const char* name;
    std::function<void(QWidget* window)> act;
};

const CloseWay kCloseWays[] = {
    {"Escape", [](QWidget* w) { SendKey(KeyTarget(w), Qt::Key_Escape); }},
    {"close box", [](QWidget* w) { w->close(); }},
    {"Alt+F4", [](QWidget* w) { SendKey(KeyTarget(w), Qt::Key_F4, Qt::AltModifier); }},
    {"Close in the system menu", [](QWidget* w) {
         WhenPopupOpens([](QMenu* menu) {
             for (QAction* action : menu->actions()) {
                 if (action->text().startsWith(QStringLiteral("关闭"))) {
                     return action;
                 }
             }
             return static_cast<QAction*>(nullptr);
         });
         RightClick(w);
     }},
};

}  // namespace

TEST(RecorderWindowTest, ConstructionGivesTheFirstState)
{
    TestableMorvaneDlg dlg;
    EXPECT_NE(dlg.m_hAppIcon, nullptr);
    ASSERT_NE(dlg.m_pSource, nullptr);
    EXPECT_FALSE(dlg.m_pSource->m_bDeviceOpen) << "creating the capture source opens nothing";
    EXPECT_EQ(dlg.m_pRecording, nullptr);
    EXPECT_EQ(dlg.m_pIndicator.size(), cv::Size(32, 32));
    EXPECT_EQ(dlg.m_nMinutes, 1);
    EXPECT_FALSE(dlg.m_bRecording);
    ASSERT_NE(dlg.m_pDisplayFrame, nullptr);
    EXPECT_EQ(dlg.m_pDisplayFrame->Size(), cv::Size(640, 480));
    EXPECT_EQ(dlg.m_pDisplayFrame->Type(), CV_8UC3);
    EXPECT_TRUE(dlg.m_pDisplayFrame->Image().empty());  // points at no pixels yet
}

TEST(RecorderWindowTest, ProgramFolderIsThePathBeforeItsLastSlash)
{
    struct Case {
        const char* path;
        const char* folder;
    };
    for (const Case c : {Case{"/opt/录像/bin/morvane", "/opt/录像/bin"}, Case{"/morvane", ""},
                         Case{"morvane", ""}, Case{"/srv/a\\b/morvane", "/srv/a\\b"},
                         Case{"C:\\录像\\morvane.exe", ""}}) {
        os::SetProgramFilePathForTesting(c.path);
        TestableMorvaneDlg dlg;
        EXPECT_EQ(dlg.m_strAppDir, c.folder) << c.path;
    }
    os::ClearProgramFilePathForTesting();
}

TEST(RecorderWindowTest, FirstShowsWithOnlyOpenCameraEnabledAndFocusedAndABlackPreview)
{
    TestableMorvaneDlg dlg;
    RunModal(dlg, [&] {
        EXPECT_EQ(ButtonStates(dlg), (std::vector<bool>{true, false, false, false}));
        EXPECT_EQ(dlg.GetSafeHwnd()->focusWidget(), dlg.GetDlgItem(IDC_OPEN_CAMERA)->GetSafeHwnd());
        EXPECT_EQ(dlg.GetDlgItem(IDC_PREVIEW), &dlg.m_preview);
        const QImage window = dlg.GetSafeHwnd()->grab().toImage();
        EXPECT_TRUE(AllBlack(window.copy(dlg.m_preview.GetSafeHwnd()->geometry())));
        EXPECT_FALSE(dlg.GetSafeHwnd()->windowIcon().isNull());
        EXPECT_EQ(reinterpret_cast<HICON>(dlg.SendMessage(WM_QUERYDRAGICON)), dlg.m_hAppIcon);
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(RecorderWindowTest, SystemMenuEndsWithTheAboutEntryWhichOpensTheAboutBox)
{
    struct Closer {
        const char* name;
        std::function<void(QWidget* about)> act;
    };
    const Closer closers[] = {
        {"确定", [](QWidget* about) {
             for (auto* button : about->findChildren<QAbstractButton*>()) {
                 if (button->text() == QStringLiteral("确定")) {
                     button->click();
                 }
             }
         }},
        {"Escape", [](QWidget* about) { SendKey(KeyTarget(about), Qt::Key_Escape); }},
        {"close box", [](QWidget* about) { about->close(); }},
    };
    for (const Closer& closer : closers) {
        TestableMorvaneDlg dlg;
        std::vector<std::string> entries;
        std::string aboutTitle;
        RunModal(dlg, [&] {
            const std::vector<bool> before = ButtonStates(dlg);
            WhenPopupOpens([&](QMenu* menu) {
                entries = MenuTexts(menu);
                return menu->actions().back();
            });
            WhenReady([&] { return AfxGetRunningModal() != &dlg && AfxGetRunningModal() != nullptr; }, [&] {
                QWidget* about = AfxGetRunningModal()->GetSafeHwnd();
                aboutTitle = about->windowTitle().toStdString();
                EXPECT_EQ(about->parentWidget(), dlg.GetSafeHwnd());
                closer.act(about);
            });
            RightClick(dlg.GetSafeHwnd());
            // Back in the recorder window, which is as it was.
            EXPECT_EQ(AfxGetRunningModal(), &dlg) << closer.name;
            EXPECT_EQ(ButtonStates(dlg), before) << closer.name;
            EXPECT_NE(dlg.m_pDisplayFrame, nullptr) << closer.name;
            dlg.EndDialog(IDCANCEL);
        });
        ASSERT_GE(entries.size(), 2u);
        EXPECT_EQ(entries[entries.size() - 2], "-");
        EXPECT_EQ(entries.back(), "关于 Morvane(&A)...");
        EXPECT_EQ(aboutTitle, "关于 Morvane") << closer.name;
    }
}

TEST(RecorderWindowTest, AnySystemCommandFrom16To31OpensTheAboutBox)
{
    TestableMorvaneDlg dlg;
    int aboutBoxes = 0;
    RunModal(dlg, [&] {
        for (const UINT command : {16u, 31u}) {
            WhenReady([&] { return AfxGetRunningModal() != &dlg; }, [&] {
                ++aboutBoxes;
                SendKey(AfxGetRunningModal()->GetSafeHwnd(), Qt::Key_Escape);
            });
            dlg.SendMessage(WM_SYSCOMMAND, command, 0);
        }
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(aboutBoxes, 2);
}

TEST(RecorderWindowTest, ClosingWithoutRecordingEndsTheWindowAndReleasesTheFrameHeader)
{
    for (const CloseWay& way : kCloseWays) {
        TestableMorvaneDlg dlg;
        MessageBoxRecorder boxes;
        const INT_PTR result = RunModal(dlg, [&] { way.act(dlg.GetSafeHwnd()); });
        EXPECT_EQ(result, IDCANCEL) << way.name;
        EXPECT_TRUE(boxes.boxes.empty()) << way.name;
        EXPECT_EQ(dlg.m_pDisplayFrame, nullptr) << way.name;
    }
}

TEST(RecorderWindowTest, ClosingWhileRecordingIsRefused)
{
    for (const CloseWay& way : kCloseWays) {
        TestableMorvaneDlg dlg;
        MessageBoxRecorder boxes;
        RunModal(dlg, [&] {
            dlg.m_bRecording = true;
            way.act(dlg.GetSafeHwnd());
            EXPECT_EQ(AfxGetRunningModal(), &dlg) << way.name;
            EXPECT_NE(dlg.m_pDisplayFrame, nullptr) << way.name;
            dlg.m_bRecording = false;
            dlg.EndDialog(IDCANCEL);
        });
        ASSERT_EQ(boxes.boxes.size(), 1u) << way.name;
        EXPECT_EQ(boxes.boxes[0].text, "正在录像中,请先停止录像!") << way.name;
        EXPECT_EQ(boxes.boxes[0].caption, "退出软件") << way.name;
        EXPECT_EQ(boxes.boxes[0].type, 0x40u) << way.name;
        EXPECT_EQ(boxes.boxes[0].owner, &dlg) << way.name;
    }
}

TEST(RecorderWindowTest, EnterDoesNotEndTheWindow)
{
    TestableMorvaneDlg dlg;
    // Enter clicks the focused "打开相机", which finds no camera here.
    fake::ScopedDevices noCameras({});
    MessageBoxRecorder boxes;
    RunModal(dlg, [&] {
        QWidget* window = dlg.GetSafeHwnd();
        SendKey(KeyTarget(window), Qt::Key_Return);
        dlg.GetDlgItem(IDC_OPEN_CAMERA)->EnableWindow(FALSE);  // no focused button left
        SendKey(KeyTarget(window), Qt::Key_Return);
        SendKey(window, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(AfxGetRunningModal(), &dlg);
        EXPECT_NE(dlg.m_pDisplayFrame, nullptr);
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(RecorderWindowTest, StaticsGetRedTransparentTextAndTheHollowBrush)
{
    TestableMorvaneDlg dlg;
    RunModal(dlg, [&] {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        const auto ask = [&](UINT message) {
            return reinterpret_cast<HBRUSH>(dlg.SendMessage(message, reinterpret_cast<WPARAM>(dc.GetSafeHdc()),
                                                            reinterpret_cast<LPARAM>(dlg.m_preview.GetSafeHwnd())));
        };
        EXPECT_EQ(ask(WM_CTLCOLORSTATIC), static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
        EXPECT_EQ(dc.GetTextColor(), RGB(255, 0, 0));
        EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);

        CDC other;
        other.CreateCompatibleDC(nullptr);
        const COLORREF color = other.GetTextColor();
        const auto askOther = reinterpret_cast<HBRUSH>(dlg.SendMessage(
            WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(other.GetSafeHdc()), 0));
        EXPECT_EQ(askOther, nullptr);  // the base result, unchanged
        EXPECT_EQ(other.GetTextColor(), color);
        dlg.EndDialog(IDCANCEL);
    });
}
