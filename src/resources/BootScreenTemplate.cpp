#include "resources/DialogStyles.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

#include <array>

namespace res {

namespace {

using platform::ControlClass;
using platform::ControlTemplate;
using namespace styles;

constexpr std::array kBootScreenControls = {
    // The picture fills the rest of the window; the window sizes itself to it.
    ControlTemplate{IDC_BOOT_STATUS, ControlClass::Static, "", 0, 296, 427, 12, SS_LEFT, WS_EX_STATICEDGE},
};

constexpr platform::DialogTemplate kBootScreenTemplate{IDD_BOOT_SCREEN, "Boot Screen", 0, 0, 427, 308,
                                                       WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_CENTER, 0,
                                                       kFontName, kFontPointSize, kBootScreenControls};

}  // namespace

const platform::DialogTemplate& BootScreenTemplate()
{
    return kBootScreenTemplate;
}

}  // namespace res
