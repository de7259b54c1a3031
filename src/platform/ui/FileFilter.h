#pragma once
// File dialog filters in the Windows text form "Desc|pattern|Desc2|pattern2||"
// and their translation for a Qt file dialog.

#include <string>
#include <vector>

namespace platform {

struct FileFilter {
    std::string description;            // as given, e.g. "Executable Files (*.exe)"
    std::vector<std::string> patterns;  // e.g. {"*.bmp", "*.sys"}
};

// The list ends at an empty field (the "||" terminator) or at the end of the
// text. A description with no pattern after it is dropped, and so is one
// whose pattern holds no glob, rather than offered as a filter that matches
// nothing.
std::vector<FileFilter> ParseWindowsFilter(const std::string& text);

// "Desc (p1 p2)", the form Qt reads the globs from. A description that
// already ends with its own patterns in parentheses keeps them once:
// "Executable Files (*.exe)" stays as it is.
std::string QtNameFilter(const FileFilter& filter);

// "bmp", ".bmp" and "*.bmp" mean "bmp"; "", "*" and "*.*" mean no default.
std::string NormalizeDefaultExtension(const std::string& extension);

}  // namespace platform
