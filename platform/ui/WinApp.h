#pragma once
// The application object and the framework's entry point.
//
// The program defines exactly one object of a class derived from CWinApp at
// namespace scope; AfxWinMain (called from main) sets up the C library's
// locale and the QApplication, then calls its InitInstance. When that returns
// FALSE the process ends without a message loop of its own.

#include <string>

#include "platform/ui/CmdTarget.h"

class CWnd;

struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};

// Qt's widgets need no registration: accepted and ignored.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce);
// There are no embedded foreign controls on this platform: nothing to enable.
void AfxEnableControlContainer(void* pOccManager = nullptr);

class CWinApp : public CCmdTarget {
public:
    // pszAppName null: the program file's name without its extension. The
    // newest application object is the one AfxGetApp() returns; when it goes,
    // the one before it comes back.
    explicit CWinApp(const char* pszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();

    // Names the key profile settings would be kept under. Only remembered:
    // nothing is stored between runs.
    void SetRegistryKey(const char* lpszRegistryKey);

    // The standard Help command. There is no help content: shows nothing.
    void OnHelp();

    const char* m_pszAppName = nullptr;
    const char* m_pszRegistryKey = nullptr;
    CWnd* m_pMainWnd = nullptr;

private:
    friend const char* AfxGetAppName();
    CWinApp* m_pPreviousApp = nullptr;
    std::string m_strAppName;
    std::string m_strRegistryKey;
};

CWinApp* AfxGetApp();
// The application's name: the caption of the framework's message boxes.
const char* AfxGetAppName();
CWnd* AfxGetMainWnd();

// The framework's entry: locale, QApplication, InitInstance, exit code.
int AfxWinMain(int argc, char* argv[]);
