#pragma once
// The real prompts: Qt's message box, file dialog and colour dialog, with the
// caption, text, icon, buttons, default button, title and filters asked for.
// The file and colour dialogs are Qt's own (not the desktop's), so they
// behave the same on every desktop.

#include "platform/ui/Prompts.h"

namespace platform {

class QtPrompts : public Prompts {
protected:
    int ShowMessageBox(const MessageBoxRequest& request) override;
    FileDialogAnswer ShowFileDialog(const FileDialogRequest& request) override;
    ColorAnswer ShowColorDialog(const ColorRequest& request) override;
};

}  // namespace platform
