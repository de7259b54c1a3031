#pragma once
// The module's attachment as a static object of its own. Defined after the
// application object and the main dialog, it attaches once both are built
// and detaches before either is destroyed: static objects are destroyed in
// the reverse order of their construction both when the module is unloaded
// (dlclose) and when the process exits with the module still loaded. An ELF
// destructor would run after them in the second case, on a destroyed
// application object.

#include <string>

namespace platform {
class CWinApp;
}

class AppletAttachment {
public:
    // AttachApplet on app, which must outlive this object.
    AppletAttachment(platform::CWinApp& app, const std::string& moduleFileName);
    // DetachApplet, when the attach succeeded.
    ~AppletAttachment();
    AppletAttachment(const AppletAttachment&) = delete;
    AppletAttachment& operator=(const AppletAttachment&) = delete;

    // False when the attach was refused: a constructor cannot make dlopen
    // fail, so the entry answers CPL_INIT with 0 instead.
    bool Attached() const { return m_attached; }

private:
    platform::CWinApp& m_app;
    bool m_attached = false;
};
