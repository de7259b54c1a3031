#pragma once
// The context menu every view of a logo offers ("Boot Screen",
// "Export Animation...") and its shortcut Ctrl+B. The chosen command comes
// back to the view's window as IDM_BOOT_SCREEN or IDM_EXPORT_ANIMATION.

#include "platform/ui/CPoint.h"

namespace platform {
class CWnd;
}

// available: the view shows a logo (a placeholder has nothing to offer, so
// both entries are grayed).
void TrackLogoViewMenu(platform::CWnd& view, platform::CPoint screenPoint, bool available);

// Ctrl+B opens the Boot Screen window from the view's window.
void InstallLogoViewShortcuts(platform::CWnd& view);
