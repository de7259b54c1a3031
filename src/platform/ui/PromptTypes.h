#pragma once
// The questions the program asks through the modal prompts, and their answers,
// as plain data so that a scripted implementation can record and answer them.

#include "platform/WinTypes.h"

#include <string>

namespace platform {

struct MessageBoxRequest {
    HWND owner = nullptr;
    std::string text;      // "\n" breaks the line
    std::string caption;
    UINT type = MB_OK;     // MB_OK / MB_YESNO ... | MB_ICON* | MB_DEFBUTTON*
};

enum class FileDialogMode { Open, Save };

struct FileDialogRequest {
    FileDialogMode mode = FileDialogMode::Open;
    HWND owner = nullptr;
    std::string title;
    // Windows text form: "Desc|pattern|Desc2|pattern2||"; a pattern may hold
    // several globs separated by ';' ("*.bmp;*.sys").
    std::string filter;
    int filterIndex = 0;            // 0-based filter selected when the dialog opens
    // Appended when the user types a name without an extension. "bmp", ".bmp"
    // and "*.bmp" all mean "bmp"; "" means none.
    std::string defaultExtension;
    std::string initialFileName;
    // A folder, or a full file path (its folder opens with the file selected).
    // Windows paths and host paths are both accepted.
    std::string initialDirectory;
    DWORD flags = 0;                // OFN_*
};

struct FileDialogAnswer {
    bool ok = false;
    std::string path;               // full host path of the chosen file
    int filterIndex = 0;            // 0-based index of the filter in effect when OK was pressed
};

struct ColorRequest {
    HWND owner = nullptr;
    COLORREF initial = 0;
    DWORD flags = 0;                // CC_*
};

struct ColorAnswer {
    bool ok = false;
    COLORREF color = 0;             // the chosen colour; the initial colour after Cancel
};

}  // namespace platform
