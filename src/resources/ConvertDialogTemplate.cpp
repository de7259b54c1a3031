#include "resources/DialogStyles.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

#include <array>

namespace res {

namespace {

using platform::ControlClass;
using platform::ControlTemplate;
using namespace styles;

constexpr DWORD kPicture = SS_BITMAP | SS_CENTERIMAGE | SS_SUNKEN;
constexpr DWORD kShape = BS_AUTORADIOBUTTON;

// Both pictures are 136 x 95 dialog units (204 x 154 pixels): room for a
// 200 x 150 view, the 4:3 shape the screen gives a logo. Each label comes
// just before the control its mnemonic reaches, and is 10 units (16 pixels)
// tall: a line of the dialog font with its descenders, where the sans fonts
// that stand in for the template's font are taller than it.
constexpr std::array kConvertControls = {
    ControlTemplate{IDC_STATIC, ControlClass::Static, "Picture", 5, 3, 136, 10, SS_LEFT, 0},
    ControlTemplate{IDC_CONVERT_SOURCE, ControlClass::Static, "", 5, 14, 136, 95, kPicture, 0},
    ControlTemplate{IDC_STATIC, ControlClass::Static, "Logo on the screen", 146, 3, 136, 10, SS_LEFT, 0},
    ControlTemplate{IDC_CONVERT_RESULT, ControlClass::Static, "", 146, 14, 136, 95, kPicture, 0},
    ControlTemplate{IDC_STATIC, ControlClass::Button, "Shape", 5, 113, 70, 52, BS_GROUPBOX, 0},
    ControlTemplate{IDC_CONVERT_FIT, ControlClass::Button, "&Fit", 12, 124, 55, 10, kShape | WS_GROUP | WS_TABSTOP, 0},
    ControlTemplate{IDC_CONVERT_FILL, ControlClass::Button, "F&ill", 12, 137, 55, 10, kShape, 0},
    ControlTemplate{IDC_CONVERT_STRETCH, ControlClass::Button, "&Stretch", 12, 150, 55, 10, kShape, 0},
    ControlTemplate{IDC_STATIC, ControlClass::Static, "&Dithering (0-100):", 82, 118, 100, 10, SS_LEFT | WS_GROUP, 0},
    ControlTemplate{IDC_CONVERT_DITHER, ControlClass::Edit, "", 184, 117, 30, 12, kNumberField, WS_EX_STATICEDGE},
    ControlTemplate{IDC_STATIC, ControlClass::Static, "&Reserved entries (0-255):", 82, 134, 100, 10, SS_LEFT, 0},
    ControlTemplate{IDC_CONVERT_RESERVED, ControlClass::Edit, "", 184, 133, 30, 12, kNumberField, WS_EX_STATICEDGE},
    ControlTemplate{IDC_CONVERT_FILL_COLOR, ControlClass::Button, "Fill &Color...", 82, 150, 70, 14, kFlatButton, 0},
    ControlTemplate{IDOK, ControlClass::Button, "&OK", 232, 117, 50, 14, kFlatDefaultButton, 0},
    ControlTemplate{IDCANCEL, ControlClass::Button, "&Cancel", 232, 134, 50, 14, kFlatButton, 0},
};

constexpr platform::DialogTemplate kConvertTemplate{IDD_CONVERT_PICTURE, "Convert Picture", 0, 0, 287, 170,
                                                    kCaptionedDialog | DS_CENTER, 0, kFontName, kFontPointSize,
                                                    kConvertControls};

}  // namespace

const platform::DialogTemplate& ConvertDialogTemplate()
{
    return kConvertTemplate;
}

}  // namespace res
