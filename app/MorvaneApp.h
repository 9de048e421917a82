#pragma once
// The application: prepares the framework, applies the skin and runs the
// recorder window modally. When the window ends, the process ends.

#include "platform/ui/WinApp.h"

class CMorvaneApp : public CWinApp {
public:
    CMorvaneApp();

    // Always FALSE: there is no message loop beyond the recorder window's.
    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
