// The dialogs' tests, with an application object of their own.
#include "platform/ui/WinApp.h"
#include "ui/WidgetTestMain.h"

int main(int argc, char** argv) { return RunWidgetTests<CWinApp>(argc, argv); }
