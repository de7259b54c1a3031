#pragma once
// The applet's dialog templates, laid out as its resource script would lay
// them out: rectangles in dialog units, controls in tab order.

#include "platform/ui/DialogTemplate.h"

namespace res {

const platform::DialogTemplate& MainDialogTemplate();        // IDD_MAIN 1001
const platform::DialogTemplate& EditorPathDialogTemplate();  // IDD_EDITOR_PATH 1007
const platform::DialogTemplate& AboutDialogTemplate();       // IDD_ABOUT 1008
const platform::DialogTemplate& AnimDialogTemplate();        // IDD_ANIM 1013
const platform::DialogTemplate& PreviewDialogTemplate();     // IDD_PREVIEW 1030
const platform::DialogTemplate& BootScreenTemplate();        // IDD_BOOT_SCREEN 1060
const platform::DialogTemplate& ConvertDialogTemplate();     // IDD_CONVERT_PICTURE 1050

// The template with this id, or nullptr.
const platform::DialogTemplate* FindDialogTemplate(int id);

}  // namespace res
