#pragma once
// What the context menu and the shortcut of a logo view (the editor's
// Preview window) ask for. The main dialog serves them: it owns the Boot
// Screen window and the export, and knows the picture the view shows.

namespace platform {
class CWnd;
}

class LogoViewCommands {
public:
    virtual ~LogoViewCommands() = default;
    // from: the view's window, which owns what opens.
    virtual void OpenBootScreen(platform::CWnd& from) = 0;
    virtual void ExportAnimation(platform::CWnd& from) = 0;
};
