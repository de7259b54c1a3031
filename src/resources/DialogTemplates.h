#pragma once
// The applet's dialog templates, laid out as its resource script would lay
// them out: rectangles in dialog units, controls in tab order.

#include "platform/ui/DialogTemplate.h"

#include <span>

namespace res {

const platform::DialogTemplate& MainDialogTemplate();        // IDD_MAIN
const platform::DialogTemplate& EditorPathDialogTemplate();  // IDD_EDITOR_PATH
const platform::DialogTemplate& AboutDialogTemplate();       // IDD_ABOUT
const platform::DialogTemplate& AnimDialogTemplate();        // IDD_ANIM
const platform::DialogTemplate& PreviewDialogTemplate();     // IDD_PREVIEW
const platform::DialogTemplate& BootScreenTemplate();        // IDD_BOOT_SCREEN
const platform::DialogTemplate& ConvertDialogTemplate();     // IDD_CONVERT_PICTURE

// Every template above, in that order.
std::span<const platform::DialogTemplate* const> AllDialogTemplates();

// The template with this id, or nullptr.
const platform::DialogTemplate* FindDialogTemplate(int id);

}  // namespace res
