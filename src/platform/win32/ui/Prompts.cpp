#include "platform/ui/Prompts.h"

#include "platform/ui/FileFilter.h"
#include "platform/win32/ui/Win32Prompts.h"

#include <algorithm>
#include <cstring>

namespace platform {

Prompts& detail::DefaultPrompts()
{
    static win32::Win32Prompts prompts;
    return prompts;
}

namespace win32 {
namespace {

// Room for a long path in the file dialogs' name buffer.
constexpr std::size_t kPathBuffer = 1024;

std::string Backslashed(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

bool IsFolder(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::vector<char> CommonDialogFilter(const std::string& windowsFilter)
{
    std::vector<char> out;
    for (const FileFilter& filter : ParseWindowsFilter(windowsFilter)) {
        std::string patterns;
        for (const std::string& pattern : filter.patterns) {
            if (!patterns.empty())
                patterns += ';';
            patterns += pattern;
        }
        if (patterns.empty())
            continue;
        out.insert(out.end(), filter.description.begin(), filter.description.end());
        out.push_back('\0');
        out.insert(out.end(), patterns.begin(), patterns.end());
        out.push_back('\0');
    }
    if (out.empty())
        return {};
    out.push_back('\0');
    return out;
}

DialogStart SplitInitialPath(const std::string& initialDirectory, const std::string& initialFileName)
{
    DialogStart start{Backslashed(initialDirectory), initialFileName};
    if (start.directory.empty() || start.directory.back() == '\\' || start.directory.back() == ':' ||
        IsFolder(start.directory))
        return start;
    const std::size_t slash = start.directory.find_last_of("\\:");
    const std::string file = slash == std::string::npos ? start.directory : start.directory.substr(slash + 1);
    start.directory = slash == std::string::npos ? std::string() : start.directory.substr(0, slash + 1);
    if (start.fileName.empty())
        start.fileName = file;
    return start;
}

Win32Prompts::Win32Prompts()
{
    m_customColors.fill(RGB(255, 255, 255));
}

int Win32Prompts::ShowMessageBox(const MessageBoxRequest& request)
{
    return ::MessageBoxA(request.owner, request.text.c_str(), request.caption.c_str(), request.type);
}

FileDialogAnswer Win32Prompts::ShowFileDialog(const FileDialogRequest& request)
{
    const std::vector<char> filter = CommonDialogFilter(request.filter);
    const DialogStart start = SplitInitialPath(request.initialDirectory, request.initialFileName);
    const std::string extension = NormalizeDefaultExtension(request.defaultExtension);

    std::vector<char> file(kPathBuffer, '\0');
    std::memcpy(file.data(), start.fileName.data(), std::min(start.fileName.size(), kPathBuffer - 1));

    OPENFILENAMEA ofn{};
    // The size Windows 98's comdlg32 knows; the newer fields are not used.
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = request.owner;
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.data();
    ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex + 1);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = start.directory.empty() ? nullptr : start.directory.c_str();
    ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    // One answer comes back, and no hook or template is supplied with the request.
    ofn.Flags = (request.flags & ~static_cast<DWORD>(OFN_ALLOWMULTISELECT | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE |
                                                      OFN_ENABLETEMPLATEHANDLE)) |
                OFN_EXPLORER;

    const BOOL ok = request.mode == FileDialogMode::Save ? ::GetSaveFileNameA(&ofn) : ::GetOpenFileNameA(&ofn);
    if (!ok)
        return FileDialogAnswer{false, {}, request.filterIndex};
    file.back() = '\0';
    return FileDialogAnswer{true, std::string(file.data()),
                            ofn.nFilterIndex > 0 ? static_cast<int>(ofn.nFilterIndex) - 1 : 0};
}

ColorAnswer Win32Prompts::ShowColorDialog(const ColorRequest& request)
{
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = request.owner;
    choose.rgbResult = request.initial & 0x00FFFFFFu;
    choose.lpCustColors = m_customColors.data();
    // The chooser always opens on the colour it is asked about.
    choose.Flags = (request.flags & ~static_cast<DWORD>(CC_ENABLEHOOK | CC_ENABLETEMPLATE | CC_ENABLETEMPLATEHANDLE)) |
                   CC_RGBINIT;
    if (!::ChooseColorA(&choose))
        return ColorAnswer{false, request.initial};
    return ColorAnswer{true, choose.rgbResult};
}

}  // namespace win32
}  // namespace platform
