#pragma once
// The main of a widget test program: Qt's offscreen platform, the program's
// resources and one application object of class App, made after Qt's.

#include <QApplication>
#include <gtest/gtest.h>

#include "res/ProgramResources.h"

template <class App>
int RunWidgetTests(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    App app;
    AfxSetResourceHandle(&ProgramResources());
    return RUN_ALL_TESTS();
}
