// The program's entry point. Without a reachable display the framework says
// so and ends the process with a failure status.
#include "app/MorvaneApp.h"
#include "res/ProgramResources.h"

// The one application object; the framework finds it through AfxGetApp().
CMorvaneApp theApp;

int main(int argc, char* argv[])
{
    AfxSetResourceHandle(&ProgramResources());
    return AfxWinMain(argc, argv);
}
