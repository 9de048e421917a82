// The system's window tests, with the program's application object.
#include "app/MorvaneApp.h"
#include "ui/WidgetTestMain.h"

int main(int argc, char** argv) { return RunWidgetTests<CMorvaneApp>(argc, argv); }
