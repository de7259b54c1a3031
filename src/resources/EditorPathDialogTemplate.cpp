#include "resources/DialogStyles.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

#include <array>

namespace res {

namespace {

using platform::ControlClass;
using platform::ControlTemplate;
using namespace styles;

constexpr std::array kEditorPathControls = {
    ControlTemplate{IDOK, ControlClass::Button, "&OK", 5, 30, 50, 14, kFlatButton, 0},
    ControlTemplate{IDCANCEL, ControlClass::Button, "&Cancel", 80, 30, 50, 14, kFlatButton, 0},
    ControlTemplate{IDC_EDPATH_BROWSE, ControlClass::Button, "&Browse", 135, 15, 50, 14, kFlatDefaultButton, 0},
    // The label's mnemonic reaches the combo box, the next control in tab order.
    ControlTemplate{IDC_STATIC, ControlClass::Static, "&Enter the path for your Logo Editor", 5, 5, 125, 10, SS_LEFT,
                    0},
    // Editable, unsorted: the two entries stay in the order they are added.
    ControlTemplate{IDC_EDPATH_COMBO, ControlClass::ComboBox, "", 5, 15, 125, 45,
                    CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 0},
};

constexpr platform::DialogTemplate kEditorPathTemplate{
    IDD_EDITOR_PATH, "", 0, 0, 188, 46, kBareDialog, 0, kFontName, kFontPointSize, kEditorPathControls};

}  // namespace

const platform::DialogTemplate& EditorPathDialogTemplate()
{
    return kEditorPathTemplate;
}

}  // namespace res
