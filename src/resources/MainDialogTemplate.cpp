#include "resources/DialogStyles.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

#include <array>

namespace res {

namespace {

using platform::ControlClass;
using platform::ControlTemplate;
using namespace styles;

// The three slot buttons are one radio group drawn as push buttons that stay
// down; Apply starts the next group so the arrow keys stop at Shut Down.
constexpr DWORD kSlotButton = BS_AUTORADIOBUTTON | BS_PUSHLIKE | BS_FLAT | BS_CENTER | BS_VCENTER;

constexpr std::array kMainControls = {
    ControlTemplate{IDC_STARTUP, ControlClass::Button, "&StartUp", 325, 11, 70, 15, kSlotButton | WS_GROUP, 0},
    ControlTemplate{IDC_PRESHUTDOWN, ControlClass::Button, "&Pre-Shut Down", 325, 27, 70, 15, kSlotButton | WS_TABSTOP,
                    0},
    ControlTemplate{IDC_SHUTDOWN, ControlClass::Button, "Sh&ut Down", 325, 43, 70, 15, kSlotButton | WS_TABSTOP, 0},
    ControlTemplate{IDC_APPLY, ControlClass::Button, "&Apply", 325, 65, 70, 15, kFlatButton | WS_GROUP | WS_DISABLED,
                    0},
    ControlTemplate{IDCANCEL, ControlClass::Button, "&Close", 325, 81, 70, 15, kFlatButton, 0},
    ControlTemplate{IDC_BROWSE, ControlClass::Button, "&Browse", 325, 97, 70, 15, kFlatDefaultButton, 0},
    ControlTemplate{IDC_DEFAULT_LOGO, ControlClass::Button, "&Default Logo", 325, 119, 70, 15, kFlatButton, 0},
    ControlTemplate{IDC_NEW_LOGO, ControlClass::Button, "&New Logo", 325, 135, 70, 15, kFlatButton, 0},
    ControlTemplate{IDC_SET_LOGO_EDITOR, ControlClass::Button, "Set &Logo Editor", 325, 167, 70, 15, kFlatButton, 0},
    ControlTemplate{IDC_SAVE_LOGO, ControlClass::Button, "Sa&ve Logo to File", 325, 183, 70, 15, kFlatButton, 0},
    ControlTemplate{IDC_HELP, ControlClass::Button, "&Help", 325, 205, 70, 15, kFlatButton, 0},
    ControlTemplate{IDC_ABOUT, ControlClass::Button, "About &Lumivane", 325, 221, 70, 15, kFlatButton, 0},
    ControlTemplate{IDC_PREVIEW, ControlClass::Static, "", 0, 0, 320, 240, SS_BITMAP | SS_CENTERIMAGE | SS_SUNKEN,
                    WS_EX_TRANSPARENT},
    ControlTemplate{IDC_STATIC, ControlClass::Button, "Controls", 320, 0, 80, 240, BS_GROUPBOX, WS_EX_DLGMODALFRAME},
    ControlTemplate{IDC_STATIC, ControlClass::Static, "", 324, 60, 74, 1, SS_ETCHEDHORZ, 0},
    ControlTemplate{IDC_STATIC, ControlClass::Static, "", 324, 114, 73, 1, SS_ETCHEDHORZ, 0},
    ControlTemplate{IDC_STATIC, ControlClass::Static, "", 325, 200, 72, 1, SS_ETCHEDHORZ, 0},
    // Last in tab order although it stands between New Logo and Set Logo Editor.
    ControlTemplate{IDC_ANIMATE_LOGO, ControlClass::Button, "&Animate Logo", 325, 151, 70, 15, kFlatButton, 0},
};

// Placed at 0, 0 without centring: the top-left corner of its owner.
constexpr platform::DialogTemplate kMainTemplate{
    IDD_MAIN, "Lumivane", 0, 0, 400, 239, kCaptionedDialog, 0, kFontName, kFontPointSize, kMainControls};

}  // namespace

const platform::DialogTemplate& MainDialogTemplate()
{
    return kMainTemplate;
}

}  // namespace res
