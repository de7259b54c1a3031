#include "editor/NewLogo.h"

#include "platform/ui/ResourceLoading.h"
#include "platform/files/FileApi.h"
#include "platform/launch/WinExec.h"
#include "platform/ui/Prompts.h"
#include "resources/ResourceIds.h"
#include "slots/SlotFiles.h"

namespace {

constexpr UINT kLastWinExecError = 31;

void ShowError(HWND owner, const std::string& text)
{
    platform::MessageBoxA(owner, text, platform::LoadStringA(res::IDS_CAPTION_ERROR), MB_OK | MB_ICONHAND);
}

}  // namespace

void StartNewLogo(HWND owner, const SystemLocations& locations, const std::string& editorPath)
{
    const std::string templatePath = NewLogoTemplate(locations);
    if (platform::GetFileAttributesA(templatePath) == INVALID_FILE_ATTRIBUTES) {
        // The message names the system directory with the file's lower-case
        // spelling; the system ignores the difference.
        ShowError(owner, platform::LoadStringA(res::IDS_TEMPLATE_MISSING_BEFORE) + locations.systemDir +
                             platform::LoadStringA(res::IDS_TEMPLATE_MISSING_AFTER));
        return;
    }
    platform::SetFileAttributesA(templatePath, FILE_ATTRIBUTE_READONLY);
    // The editor is the program and the template its single argument; no
    // shell sees either, so blanks need no quoting.
    if (platform::WinExec(editorPath, templatePath, SW_SHOWNORMAL) <= kLastWinExecError)
        ShowError(owner, platform::LoadStringA(res::IDS_EDITOR_START_FAILED));
}
