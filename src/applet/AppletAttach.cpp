#include "applet/AppletAttach.h"

#include "platform/ui/CWinApp.h"

bool AttachApplet(platform::CWinApp& app, const std::string& moduleFileName)
{
    if (!platform::AfxWinInit(moduleFileName)) {
        platform::AfxWinTerm();
        return false;
    }
    if (!app.InitInstance()) {
        app.ExitInstance();
        platform::AfxWinTerm();
        return false;
    }
    return true;
}

void DetachApplet(platform::CWinApp& app)
{
    app.ExitInstance();
    platform::AfxWinTerm();
}
