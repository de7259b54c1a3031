#pragma once
// The system's own prompts: MessageBoxA, the common file dialogs and the
// colour chooser of comdlg32.

#include "platform/ui/Prompts.h"

#include <array>
#include <string>
#include <vector>

namespace platform::win32 {

class Win32Prompts : public Prompts {
public:
    Win32Prompts();

    // The chooser's sixteen custom colours, kept from one prompt to the next.
    const std::array<COLORREF, 16>& CustomColors() const { return m_customColors; }

protected:
    int ShowMessageBox(const MessageBoxRequest& request) override;
    FileDialogAnswer ShowFileDialog(const FileDialogRequest& request) override;
    ColorAnswer ShowColorDialog(const ColorRequest& request) override;

private:
    std::array<COLORREF, 16> m_customColors;
};

// The filter as the common dialogs take it: "Desc\0pat;pat\0...\0\0".
std::vector<char> CommonDialogFilter(const std::string& windowsFilter);

// Where the dialog opens: the folder, and the file name preselected. A path
// naming an existing folder (or ending in a separator) is a folder; any other
// path is a file in its folder. Forward slashes become backslashes.
struct DialogStart {
    std::string directory;
    std::string fileName;
};
DialogStart SplitInitialPath(const std::string& initialDirectory, const std::string& initialFileName);

}  // namespace platform::win32
