// The dialogs' tests run on Qt's offscreen platform with the program's
// resources and an application object of their own.
#include <QApplication>
#include <gtest/gtest.h>

#include "platform/ui/WinApp.h"
#include "res/ProgramResources.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    CWinApp app;
    AfxSetResourceHandle(&ProgramResources());
    return RUN_ALL_TESTS();
}
