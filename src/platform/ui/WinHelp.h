#pragma once
// The help viewer: a small window of its own, not modal, that shows a help
// file. One viewer at a time; opening help again reuses it.
//
// Help file format: UTF-8 text in Markdown (CommonMark with the GitHub
// additions), for example
//
//     # Lumivane Help
//     Paragraphs are separated by a blank line. **Bold**, *italic* and `code`.
//
//     ## Changing a logo
//     1. Numbered steps
//     - bullet points
//
//     | Button | What it does |     tables
//     |---|---|
//
// Links to web (http, https) and mail addresses open outside the viewer;
// other links are shown but lead nowhere. Files over 4 MiB are refused.

#include "platform/WinTypes.h"

#include <optional>
#include <string>

#if defined(_WIN32)
// The system headers spell these as macros; here they are constants of our own.
#undef HELP_QUIT
#undef HELP_CONTENTS
#endif

namespace platform {

constexpr UINT HELP_QUIT = 2;
constexpr UINT HELP_CONTENTS = 3;

// HELP_FORCEFILE and HELP_CONTENTS show the file (a Windows path or a host
// path) from its top; HELP_QUIT closes the viewer. A file that is missing or
// cannot be read is reported by a message box (caption "Help") and nothing
// else happens; the result is then FALSE, as for an unknown command.
// The viewer belongs to the owner window, or when there is none to the modal
// window running at the time, so that it takes input while that one is open.
// data is accepted but not honoured: the help text has no topics to choose.
BOOL WinHelpA(HWND owner, const std::string& helpFile, UINT command, DWORD data);

struct HelpViewerState {
    std::string title;
    std::string text;      // the text as shown, without markup
    std::string hostPath;  // the file shown
    bool visible = false;
};

// The open viewer, nullopt when none is open.
std::optional<HelpViewerState> OpenHelpViewer();
void CloseHelpViewer();

}  // namespace platform
