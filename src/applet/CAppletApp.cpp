#include "applet/CAppletApp.h"

CAppletApp::CAppletApp() : platform::CWinApp(nullptr) {}

BOOL CAppletApp::InitInstance()
{
    SetRegistryKey(kAppletProductKey);
    return platform::CWinApp::InitInstance();
}
