// The module lumva.cpl: its static objects, what the loader's attach and
// detach do, and CPlApplet, the one exported entry.
//
// Construction order matters and lives in this one file: the module's
// framework state, then the application object, then the main dialog. The
// ELF constructor that attaches runs after all three (a higher priority
// number), and the ELF destructor, having no priority, runs before the
// static objects are destroyed in reverse order.

#include "applet/AppletAttach.h"
#include "applet/CAppletApp.h"
#include "applet/ControlPanel.h"
#include "platform/ModuleResources.h"
#include "resources/ModuleResourceBlob.h"
#include "resources/ResourceIds.h"
#include "ui/main/CMainDlg.h"

#include <dlfcn.h>

#include <string>

extern "C" __attribute__((visibility("default"))) LONG CPlApplet(HWND hwndCPl, UINT message, LPARAM lParam1,
                                                                 LPARAM lParam2);

namespace {

// The module's own framework state: where it was loaded from and whether
// the attach succeeded. A constructor cannot make dlopen fail, so a refused
// attach is remembered here and the entry answers CPL_INIT with 0.
struct AppletModuleState {
    std::string moduleFileName;
    bool attached = false;
};

__attribute__((init_priority(200))) AppletModuleState g_moduleState;
__attribute__((init_priority(200))) CAppletApp g_app;
__attribute__((init_priority(200))) CMainDlg g_mainDlg;

std::string OwnModuleFileName()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&CPlApplet), &info) != 0 && info.dli_fname != nullptr)
        return info.dli_fname;
    return std::string();
}

__attribute__((constructor(201))) void AttachModule()
{
    g_moduleState.moduleFileName = OwnModuleFileName();
    platform::SetModuleResources(res::ModuleResourceBlob());
    g_moduleState.attached = AttachApplet(g_app, g_moduleState.moduleFileName);
}

__attribute__((destructor)) void DetachModule()
{
    if (!g_moduleState.attached)
        return;
    g_moduleState.attached = false;
    DetachApplet(g_app);
}

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

extern "C" LONG CPlApplet(HWND /*hwndCPl*/, UINT message, LPARAM /*lParam1*/, LPARAM lParam2)
{
    if (!g_moduleState.attached)
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
