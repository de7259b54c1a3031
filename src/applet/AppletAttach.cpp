#include "applet/AppletAttach.h"

#include "platform/ui/CWinApp.h"

bool AttachApplet(platform::CWinApp& app, const std::string& moduleFileName)
{
    // Start from an empty framework state. This also builds the framework's
    // own tables now, before the attachment that holds them is complete, so
    // they are destroyed after its detach, which still empties them.
    platform::AfxWinTerm();
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
