#include "resources/DialogStyles.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

#include <array>

namespace res {

namespace {

using platform::ControlClass;
using platform::ControlTemplate;
using namespace styles;

// The colour and count fields take digits only.

constexpr std::array kAnimControls = {
    ControlTemplate{IDC_ANIM_SAVE_AS, ControlClass::Button, "&Save As..", 220, 10, 50, 15, kFlatDefaultButton, 0},
    ControlTemplate{IDCANCEL, ControlClass::Button, "&Close", 220, 25, 50, 14, kFlatButton, 0},
    ControlTemplate{IDC_ANIM_PICK, ControlClass::Button, "", 145, 58, 13, 12, kFaceButton, 0},
    ControlTemplate{IDC_ANIM_COLOR_DIALOG, ControlClass::Button, "", 159, 58, 13, 12, kFaceButton, 0},
    ControlTemplate{IDC_ANIM_PLACE, ControlClass::Button, "", 173, 58, 13, 12, kFaceButton, 0},
    ControlTemplate{IDC_ANIM_REMOVE_UNUSED, ControlClass::Button, "", 187, 58, 13, 12, kFaceButton, 0},
    ControlTemplate{IDC_ANIM_SHOW_PREVIEW, ControlClass::Button, "", 202, 58, 13, 12, kFaceButton, 0},
    ControlTemplate{IDC_ANIM_COLOR_CHECK, ControlClass::Button, "", 216, 58, 13, 12, kFaceButton, 0},
    ControlTemplate{IDC_ANIM_CURRENT_COLOR, ControlClass::Static, "", 5, 59, 20, 10, SS_BLACKFRAME, WS_EX_STATICEDGE},
    ControlTemplate{IDC_ANIM_RED, ControlClass::Edit, "", 40, 59, 20, 10, kNumberField, WS_EX_STATICEDGE},
    ControlTemplate{IDC_ANIM_GREEN, ControlClass::Edit, "", 80, 59, 20, 10, kNumberField, WS_EX_STATICEDGE},
    ControlTemplate{IDC_ANIM_BLUE, ControlClass::Edit, "", 120, 59, 20, 10, kNumberField, WS_EX_STATICEDGE},
    ControlTemplate{IDC_ANIM_COUNT, ControlClass::Edit, "", 250, 43, 20, 10, kNumberField, WS_EX_STATICEDGE},
    ControlTemplate{IDC_ANIM_ANIMATE, ControlClass::Button, "", 258, 58, 13, 12, kFaceButton, 0},
    ControlTemplate{IDC_STATIC, ControlClass::Static, "R:", 30, 60, 8, 8, SS_LEFT, 0},
    ControlTemplate{IDC_STATIC, ControlClass::Static, "G:", 70, 60, 8, 8, SS_LEFT, 0},
    ControlTemplate{IDC_STATIC, ControlClass::Static, "B:", 110, 60, 8, 8, SS_LEFT, 0},
    // A caption-less group box five units high draws as a rule under the swatches.
    ControlTemplate{IDC_STATIC, ControlClass::Button, "", 0, 50, 218, 5, BS_GROUPBOX, 0},
    // Only marks the swatch area for the mouse tools; never shown.
    ControlTemplate{IDC_ANIM_SWATCH_AREA, ControlClass::Static, "", 0, 0, 217, 52, SS_BLACKFRAME | SS_NOTIFY, 0, true},
    ControlTemplate{IDC_STATIC, ControlClass::Static, "Animate", 220, 43, 30, 10, SS_LEFT, 0},
    ControlTemplate{IDC_ANIM_ANIMATED_BAR, ControlClass::Button, "", 230, 58, 13, 12, kFaceButton, 0},
    ControlTemplate{IDC_ANIM_REVERSE, ControlClass::Button, "", 244, 58, 13, 12, kFaceButton, 0},
};

constexpr platform::DialogTemplate kAnimTemplate{IDD_ANIM, "Animation Options", 0, 0, 272, 73,
                                                 kCaptionedDialog, WS_EX_TOOLWINDOW, kFontName, kFontPointSize,
                                                 kAnimControls};

}  // namespace

const platform::DialogTemplate& AnimDialogTemplate()
{
    return kAnimTemplate;
}

}  // namespace res
