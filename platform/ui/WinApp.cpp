#include "platform/ui/WinApp.h"

#include <QApplication>
#include <QFont>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/os/Locale.h"
#include "platform/os/ProgramPath.h"
#include "platform/ui/DialogUnits.h"

namespace {

CWinApp* g_pApp = nullptr;

std::string ProgramNameWithoutExtension()
{
    std::string name = os::ProgramFilePath();
    const auto slash = os::FindLastSeparator(name);
    if (slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    return name;
}

QtMessageHandler g_previousHandler = nullptr;

// While the application object is made, a fatal message means the display
// could not be reached (a DISPLAY naming no server, a platform that cannot
// start). Say so plainly and fail, instead of letting Qt abort.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        // Qt's own text blames the installation; the warnings before it name the display.
        std::fprintf(stderr, "%s: no display available: start it from a desktop session or under Xvfb\n",
                     ProgramNameWithoutExtension().c_str());
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
    if (g_previousHandler != nullptr) {
        g_previousHandler(type, context, text);
    }
}

}  // namespace

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce)
{
    return picce != nullptr ? TRUE : FALSE;
}

void AfxEnableControlContainer(void*) {}

CWinApp::CWinApp(const char* pszAppName)
{
    if (pszAppName != nullptr) {
        m_strAppName = pszAppName;
        m_pszAppName = m_strAppName.c_str();
    }
    m_pPreviousApp = std::exchange(g_pApp, this);
}

CWinApp::~CWinApp()
{
    if (g_pApp == this) {
        g_pApp = m_pPreviousApp;
    }
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    QApplication::exec();
    return ExitInstance();
}

int CWinApp::ExitInstance()
{
    return 0;
}

void CWinApp::SetRegistryKey(const char* lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey != nullptr ? lpszRegistryKey : "";
    m_pszRegistryKey = m_strRegistryKey.c_str();
}

void CWinApp::OnHelp() {}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

const char* AfxGetAppName()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return "";
    }
    // Worked out when first asked, not at static construction, so the
    // program path is read once everything it depends on exists.
    if (app->m_pszAppName == nullptr) {
        app->m_strAppName = ProgramNameWithoutExtension();
        app->m_pszAppName = app->m_strAppName.c_str();
    }
    return app->m_pszAppName;
}

CWnd* AfxGetMainWnd()
{
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->m_pMainWnd : nullptr;
}

int AfxWinMain(int argc, char* argv[])
{
    os::SetLocaleFromEnvironment();
    g_previousHandler = qInstallMessageHandler(StartupMessageHandler);
    QApplication application(argc, argv);
    qInstallMessageHandler(g_previousHandler);
    QApplication::setFont(DialogFont(9));
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return -1;
    }
    AfxGetAppName();
    if (!app->InitInstance()) {
        return app->ExitInstance();
    }
    return app->Run();
}
