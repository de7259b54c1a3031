#include "resources/DialogTemplates.h"

#include <array>

namespace res {

std::span<const platform::DialogTemplate* const> AllDialogTemplates()
{
    static const std::array all = {&MainDialogTemplate(), &EditorPathDialogTemplate(), &AboutDialogTemplate(),
                                   &AnimDialogTemplate(), &PreviewDialogTemplate(), &BootScreenTemplate(),
                                   &ConvertDialogTemplate()};
    return all;
}

const platform::DialogTemplate* FindDialogTemplate(int id)
{
    for (const platform::DialogTemplate* dialog : AllDialogTemplates()) {
        if (dialog->id == id)
            return dialog;
    }
    return nullptr;
}

}  // namespace res
