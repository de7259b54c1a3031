#include "resources/DialogTemplates.h"

#include <array>

namespace res {

const platform::DialogTemplate* FindDialogTemplate(int id)
{
    const std::array all = {&MainDialogTemplate(), &EditorPathDialogTemplate(), &AboutDialogTemplate(),
                            &AnimDialogTemplate(), &PreviewDialogTemplate(), &BootScreenTemplate(),
                            &ConvertDialogTemplate()};
    for (const platform::DialogTemplate* dialog : all) {
        if (dialog->id == id)
            return dialog;
    }
    return nullptr;
}

}  // namespace res
