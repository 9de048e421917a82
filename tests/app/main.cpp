// The system's window tests run on Qt's offscreen platform with the
// program's resources and its application object.
#include <QApplication>
#include <gtest/gtest.h>

#include "app/MorvaneApp.h"
#include "res/ProgramResources.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    CMorvaneApp app;
    AfxSetResourceHandle(&ProgramResources());
    return RUN_ALL_TESTS();
}
