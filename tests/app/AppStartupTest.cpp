// Start-up: the recorder window runs modally as the main window, and
// InitInstance returns FALSE once it ends.
#include <QApplication>
#include <gtest/gtest.h>

#include "app/MorvaneApp.h"
#include "recorder/MorvaneDlg.h"
#include "ui/UiTestSupport.h"

using namespace uitest;

TEST(AppStartupTest, RunsTheRecorderWindowAsMainWindowThenEnds)
{
    auto* app = static_cast<CMorvaneApp*>(AfxGetApp());
    std::string title;
    bool wasMain = false;
    WhenReady([] { return AfxGetMainWnd() != nullptr && AfxGetMainWnd()->GetSafeHwnd() != nullptr; }, [&] {
        CWnd* main = AfxGetMainWnd();
        title = main->GetSafeHwnd()->windowTitle().toStdString();
        wasMain = AfxGetRunningModal() == main;
        SendKey(main->GetSafeHwnd(), Qt::Key_Escape);
    });
    // No skin file here: start-up goes on with the standard look.
    EXPECT_FALSE(app->InitInstance());
    EXPECT_EQ(title, "Vexaro   视频录像软件");
    EXPECT_TRUE(wasMain);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);  // the window object is gone
    EXPECT_STREQ(app->m_pszRegistryKey, "应用程序向导生成的本地应用程序");
    // A skin found beside the tests stays on the application: later window
    // tests in this process expect the standard look.
    qApp->setStyleSheet(QString());
}

TEST(AppStartupTest, HelpCommandIsTheApplications)
{
    EXPECT_TRUE(AfxGetApp()->OnCmdMsg(ID_HELP, CN_COMMAND));
    EXPECT_FALSE(AfxGetApp()->OnCmdMsg(4711, CN_COMMAND));
}
