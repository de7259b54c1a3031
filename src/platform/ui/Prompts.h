#pragma once
// Every modal question the program asks (message boxes, file open/save
// dialogs, the colour chooser) goes through one Prompts object, so tests can
// replace the real Qt dialogs with scripted answers (ScriptedPrompts).
//
// Before any prompt opens, mouse capture and cursor confinement are released
// and the before-modal callback runs: a tool that was running never traps the
// user inside a rectangle while a dialog waits for an answer. The program's
// own cursor is put aside while the prompt is open and comes back afterwards.

#include "platform/WinTypes.h"
#include "platform/ui/PromptTypes.h"

#include <functional>
#include <string>

namespace platform {

class Prompts {
public:
    virtual ~Prompts() = default;

    // Returns IDOK, IDCANCEL, IDYES or IDNO.
    int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);
    FileDialogAnswer FileDialog(const FileDialogRequest& request);
    ColorAnswer ChooseColor(HWND owner, COLORREF initial, DWORD flags);

protected:
    virtual int ShowMessageBox(const MessageBoxRequest& request) = 0;
    virtual FileDialogAnswer ShowFileDialog(const FileDialogRequest& request) = 0;
    virtual ColorAnswer ShowColorDialog(const ColorRequest& request) = 0;
};

// The prompts in use; nullptr restores the back end's own dialogs. The object must
// outlive its use (tests install a ScriptedPrompts for the test's duration).
void SetPrompts(Prompts* prompts);
Prompts& CurrentPrompts();

namespace detail {
// The back end's own prompts, which CurrentPrompts gives when none is set.
Prompts& DefaultPrompts();
}  // namespace detail

// Runs before every prompt, after capture and confinement are released.
// An empty function removes it.
void SetBeforeModalPromptCallback(std::function<void()> callback);

int MessageBoxA(HWND owner, const std::string& text, const std::string& caption, UINT type);

}  // namespace platform
