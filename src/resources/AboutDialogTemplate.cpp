#include "resources/DialogStyles.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

#include <array>

namespace res {

namespace {

using platform::ControlClass;
using platform::ControlTemplate;
using namespace styles;

constexpr DWORD kCentredText = SS_CENTER;

constexpr std::array kAboutControls = {
    ControlTemplate{IDC_STATIC, ControlClass::Static, "#1000", 10, 5, 20, 20, SS_ICON | SS_CENTERIMAGE, 0},
    ControlTemplate{IDC_STATIC, ControlClass::Static, "LUMIVANE 2.0", 40, 5, 100, 20, kCentredText | SS_CENTERIMAGE,
                    0},
    ControlTemplate{IDC_STATIC, ControlClass::Static, "Copyright (C) 2026 The Lumivane developers", 0, 30, 170, 10,
                    kCentredText, 0},
    ControlTemplate{IDC_STATIC, ControlClass::Static, "Send your suggestions and comments by e-mail to", 0, 45, 170,
                    10, kCentredText, 0},
    ControlTemplate{IDC_STATIC, ControlClass::Static, "lumivane@example.org", 0, 55, 170, 10, kCentredText, 0},
    ControlTemplate{IDC_STATIC, ControlClass::Static,
                    "For updates visit the Lumivane web site at\nhttps://lumivane.example.org", 0, 65, 170, 20,
                    kCentredText, 0},
    ControlTemplate{IDCANCEL, ControlClass::Button, "&Close", 60, 90, 50, 14, kFlatButton, 0},
    ControlTemplate{IDC_STATIC, ControlClass::Static, "Lumivane may be shared freely, unchanged.", 0, 105, 170, 10,
                    kCentredText, 0},
};

constexpr platform::DialogTemplate kAboutTemplate{
    IDD_ABOUT, "", 0, 0, 172, 118, kBareDialog, 0, kFontName, kFontPointSize, kAboutControls};

}  // namespace

const platform::DialogTemplate& AboutDialogTemplate()
{
    return kAboutTemplate;
}

}  // namespace res
