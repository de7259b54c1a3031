#pragma once
// A dialog template in the in-memory DLGTEMPLATEEX layout the dialog
// manager reads, built from the template data when the module carries no
// compiled resource with the dialog's id.

#include "platform/WinTypes.h"
#include "platform/ui/DialogTemplate.h"

#include <vector>

namespace platform::win32 {

// DWORD-aligned words, ready for CreateDialogIndirectParamA.
std::vector<WORD> BuildDialogTemplate(const DialogTemplate& dialogTemplate);

}  // namespace platform::win32
