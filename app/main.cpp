// The program's entry point.
#include <cstdio>
#include <cstdlib>

#include "app/MorvaneApp.h"
#include "res/ProgramResources.h"

// The one application object; the framework finds it through AfxGetApp().
CMorvaneApp theApp;

namespace {

bool DisplayAvailable()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[])
{
    // Qt would abort with a long platform-plugin message instead.
    if (!DisplayAvailable()) {
        std::fprintf(stderr,
                     "morvane: no display available: start it from a desktop session or under Xvfb\n");
        return EXIT_FAILURE;
    }
    AfxSetResourceHandle(&ProgramResources());
    return AfxWinMain(argc, argv);
}
