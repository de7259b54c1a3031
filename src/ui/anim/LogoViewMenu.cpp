#include "ui/anim/LogoViewMenu.h"

#include "platform/ui/ResourceLoading.h"
#include "platform/ui/Accelerators.h"
#include "platform/ui/CMenu.h"
#include "resources/ResourceIds.h"

#include <array>

void TrackLogoViewMenu(platform::CWnd& view, platform::CPoint screenPoint, bool available)
{
    const UINT state = available ? platform::MF_STRING : platform::MF_STRING | platform::MF_GRAYED;
    platform::CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(state, res::IDM_BOOT_SCREEN, platform::LoadStringA(res::IDS_MENU_BOOT_SCREEN));
    menu.AppendMenu(state, res::IDM_EXPORT_ANIMATION, platform::LoadStringA(res::IDS_MENU_EXPORT_ANIMATION));
    menu.TrackPopupMenu(platform::TPM_LEFTALIGN | platform::TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, &view);
}

void InstallLogoViewShortcuts(platform::CWnd& view)
{
    static constexpr std::array kKeys = {
        platform::ACCEL{platform::FVIRTKEY | platform::FCONTROL, 'B', static_cast<WORD>(res::IDM_BOOT_SCREEN)},
    };
    platform::SetAccelerators(view, kKeys);
}
