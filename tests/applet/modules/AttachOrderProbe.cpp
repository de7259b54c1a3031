// A module laid out as lumva.cpl is: the application object, a static
// object in the main dialog's place, then the attachment. It appends to the
// file named by ATTACH_PROBE_LOG what happens to them, one line each.

#include "applet/AppletAttachment.h"
#include "applet/CAppletApp.h"

#include <cstdio>
#include <cstdlib>

namespace {

void Log(const char* event)
{
    const char* path = std::getenv("ATTACH_PROBE_LOG");
    if (path == nullptr)
        return;
    if (std::FILE* file = std::fopen(path, "a")) {
        std::fprintf(file, "%s\n", event);
        std::fclose(file);
    }
}

class ProbeApp : public CAppletApp {
public:
    ~ProbeApp() override
    {
        m_alive = false;
        Log("~app");
    }
    int ExitInstance() override
    {
        Log(m_alive ? "ExitInstance" : "ExitInstance on a destroyed application");
        return CAppletApp::ExitInstance();
    }

private:
    // Read after destruction only to report it; volatile keeps the store.
    volatile bool m_alive = true;
};

struct ProbeDialog {
    ~ProbeDialog() { Log("~dialog"); }
};

__attribute__((init_priority(200))) ProbeApp g_app;
__attribute__((init_priority(200))) ProbeDialog g_dialog;
__attribute__((init_priority(200))) AppletAttachment g_attachment(g_app, "/probe/lumva.cpl");

}  // namespace
