// WinHelpA over a viewer window of our own: the help file is Markdown, which
// the system's help engine cannot show. The text is shown plain.

#include "platform/ui/WinHelp.h"

#include "platform/files/FileApi.h"
#include "platform/ui/Prompts.h"
#include "platform/win32/files/WholeFile.h"
#include "platform/win32/ui/HelpPlainText.h"
#include "platform/win32/ui/HelpWindow.h"
#include "platform/win32/ui/WindowRegistry.h"

namespace platform {

namespace {

constexpr std::uint64_t kMaxHelpFileBytes = 4u * 1024u * 1024u;
constexpr const char* kViewerTitle = "Lumivane Help";

struct OpenViewer {
    HWND window = nullptr;
    std::string text;      // as shown, UTF-8
    std::string hostPath;
};

OpenViewer& Viewer()
{
    static OpenViewer viewer;
    return viewer;
}

// The window goes away by itself too (Close, Escape, its owner closing).
bool ViewerIsOpen()
{
    OpenViewer& viewer = Viewer();
    if (viewer.window != nullptr && ::IsWindow(viewer.window) == FALSE)
        viewer = OpenViewer{};
    return viewer.window != nullptr;
}

void ReportUnreadable(HWND owner, const std::string& helpFile)
{
    MessageBoxA(owner, "Cannot find the help file " + helpFile + ".\nCheck that the file exists and can be read.",
                "Help", MB_OK | MB_ICONEXCLAMATION);
}

void ReportTooLarge(HWND owner, const std::string& helpFile)
{
    MessageBoxA(owner, "The help file " + helpFile + " is too large to show.", "Help", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

BOOL WinHelpA(HWND owner, const std::string& helpFile, UINT command, DWORD /*data: no topics to choose*/)
{
    if (command == HELP_QUIT) {
        CloseHelpViewer();
        return TRUE;
    }
    if (command != HELP_FORCEFILE && command != HELP_CONTENTS)
        return FALSE;

    const std::optional<std::string> hostPath = ResolveHostPath(helpFile);
    const win32::WholeFile file =
        hostPath ? win32::ReadWholeFile(*hostPath, kMaxHelpFileBytes) : win32::WholeFile{{}, win32::WholeFileError::NotFound};
    if (file.error == win32::WholeFileError::TooLarge) {
        ReportTooLarge(owner, helpFile);
        return FALSE;
    }
    if (!file) {
        ReportUnreadable(owner, helpFile);
        return FALSE;
    }

    if (!ViewerIsOpen()) {
        // Owned by the owner's top-level window, or else by the window
        // active now (a modal dialog while one runs), so it closes with it.
        HWND ownerWindow = owner != nullptr ? win32::TopLevelOf(owner) : ::GetActiveWindow();
        HWND window = win32::CreateHelpWindow(ownerWindow, kViewerTitle);
        if (window == nullptr)
            return FALSE;
        Viewer().window = window;
    }
    OpenViewer& viewer = Viewer();
    viewer.text = win32::HelpPlainText(std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()));
    viewer.hostPath = *hostPath;
    win32::SetHelpWindowText(viewer.window, viewer.text);
    ::ShowWindow(viewer.window, SW_SHOWNORMAL);
    ::SetForegroundWindow(viewer.window);
    return TRUE;
}

std::optional<HelpViewerState> OpenHelpViewer()
{
    if (!ViewerIsOpen())
        return std::nullopt;
    const OpenViewer& viewer = Viewer();
    char title[128] = {};
    ::GetWindowTextA(viewer.window, title, sizeof title);
    return HelpViewerState{title, viewer.text, viewer.hostPath, ::IsWindowVisible(viewer.window) != FALSE};
}

void CloseHelpViewer()
{
    if (ViewerIsOpen())
        ::DestroyWindow(Viewer().window);
    Viewer() = OpenViewer{};
}

}  // namespace platform
