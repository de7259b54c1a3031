// The module lumva.cpl: its static objects, what the loader's attach and
// detach do, and CPlApplet, the one exported entry.
//
// Construction order matters and lives in this one file: the application
// object, then the main dialog, then the attachment, which attaches once
// both exist. Static objects are destroyed in reverse, so the detach comes
// first, whether the module is unloaded or the process exits with it.

#include "applet/AppletAttachment.h"
#include "applet/CAppletApp.h"
#include "platform/ModuleEntry.h"
#include "platform/ui/ControlPanel.h"
#include "platform/ui/ResourceLoading.h"
#include "resources/ModuleResourceBlob.h"
#include "resources/ResourceIds.h"
#include "ui/main/CMainDlg.h"

#include <string>

LUMIVANE_CPL_ENTRY CPlApplet(HWND hwndCPl, UINT message, LPARAM lParam1, LPARAM lParam2);

namespace {

// The module's own file, which names the application, with the module's
// resources put in place for the attach to read.
std::string PrepareModule()
{
    platform::SetModuleResources(res::ModuleResourceBlob());
    return platform::ThisModuleFileName();
}

// A fixed place before every other static of the module, so the order does
// not hang on the link order. The detach needs none of the others but the
// framework's tables, which the attach builds (AttachApplet).
__attribute__((init_priority(200))) CAppletApp g_app;
__attribute__((init_priority(200))) CMainDlg g_mainDlg;
__attribute__((init_priority(200))) AppletAttachment g_attachment(g_app, PrepareModule());

void FillItemInfo(LPARAM record)
{
    auto* info = reinterpret_cast<CPLINFO*>(record);
    if (info == nullptr)
        return;
    info->idIcon = res::IDI_APPLET;
    info->idName = static_cast<std::int32_t>(res::IDS_APPLET_NAME);
    info->idInfo = static_cast<std::int32_t>(res::IDS_APPLET_DESCRIPTION);
    info->lData = 0;
}

// One dialog object can run only once at a time; a double-click that comes
// while it is open brings the open window forward instead.
void RunMainDialog()
{
    if (g_mainDlg.IsWindow()) {
        g_mainDlg.BringWindowToTop();
        return;
    }
    g_mainDlg.DoModal();
}

}  // namespace

LUMIVANE_CPL_ENTRY CPlApplet(HWND /*hwndCPl*/, UINT message, LPARAM /*lParam1*/, LPARAM lParam2)
{
    if (!g_attachment.Attached())
        return 0;
    switch (message) {
    case CPL_INIT:
        return 1;
    case CPL_GETCOUNT:
        return 1;
    case CPL_INQUIRE:
        FillItemInfo(lParam2);
        return 0;
    case CPL_DBLCLK:
        RunMainDialog();
        return 0;
    case CPL_SELECT:
    case CPL_STOP:
    case CPL_EXIT:
    case CPL_NEWINQUIRE:
    default:
        return 0;
    }
}
