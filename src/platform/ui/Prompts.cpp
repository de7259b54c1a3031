// The prompts' seam, the same in every back end: the prompts in use (the
// back end's own unless a test set others) and the scope every prompt runs
// in, which frees the pointer and puts the program's cursor aside.

#include "platform/ui/Prompts.h"

#include "platform/ui/CursorSuspension.h"
#include "platform/ui/MouseCapture.h"

#include <utility>

namespace platform {
namespace {

Prompts* g_prompts = nullptr;

std::function<void()>& BeforeModalCallback()
{
    static std::function<void()> callback;
    return callback;
}

// Frees the pointer and puts the program's cursor aside for the life of one
// prompt; the cursor comes back when the prompt has been answered.
class ModalPromptScope {
public:
    ModalPromptScope()
    {
        ReleaseCapture();
        ClipCursor(nullptr);
        // A copy, so the callback may replace itself.
        const std::function<void()> callback = BeforeModalCallback();
        if (callback)
            callback();
        SuspendProgramCursor();
    }
    ~ModalPromptScope() { ResumeProgramCursor(); }
    ModalPromptScope(const ModalPromptScope&) = delete;
    ModalPromptScope& operator=(const ModalPromptScope&) = delete;
};

}  // namespace

int Prompts::MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    ModalPromptScope scope;
    return ShowMessageBox(MessageBoxRequest{owner, text, caption, type});
}

FileDialogAnswer Prompts::FileDialog(const FileDialogRequest& request)
{
    ModalPromptScope scope;
    return ShowFileDialog(request);
}

ColorAnswer Prompts::ChooseColor(HWND owner, COLORREF initial, DWORD flags)
{
    ModalPromptScope scope;
    return ShowColorDialog(ColorRequest{owner, initial, flags});
}

void SetPrompts(Prompts* prompts)
{
    g_prompts = prompts;
}

Prompts& CurrentPrompts()
{
    return g_prompts ? *g_prompts : detail::DefaultPrompts();
}

void SetBeforeModalPromptCallback(std::function<void()> callback)
{
    BeforeModalCallback() = std::move(callback);
}

int MessageBoxA(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    return CurrentPrompts().MessageBox(owner, text, caption, type);
}

}  // namespace platform
