#include "platform/files/UserDirectories.h"

#include "platform/WinTypes.h"

#include <shlobj.h>

#include <cstdlib>

namespace platform {

namespace {

using SpecialFolderPath = BOOL(WINAPI*)(HWND, LPSTR, int, BOOL);

std::string WindowsFolder()
{
    char folder[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryA(folder, sizeof folder);
    return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string("C:\\WINDOWS");
}

// shell32 has SHGetSpecialFolderPathA only with the desktop update of
// Internet Explorer 4, so it is looked up rather than imported: without it
// the module still loads and the Windows folder stands in.
std::string SpecialFolder(int folderId)
{
    const HMODULE shell = ::LoadLibraryA("shell32.dll");
    if (shell == nullptr)
        return std::string();
    std::string result;
    const auto query = reinterpret_cast<SpecialFolderPath>(
        reinterpret_cast<void*>(::GetProcAddress(shell, "SHGetSpecialFolderPathA")));
    char folder[MAX_PATH] = {};
    if (query != nullptr && query(nullptr, folder, folderId, FALSE) != FALSE && folder[0] != '\0')
        result = folder;
    ::FreeLibrary(shell);
    return result;
}

std::string SpecialFolderOrWindows(int folderId)
{
    std::string folder = SpecialFolder(folderId);
    return folder.empty() ? WindowsFolder() : folder;
}

}  // namespace

std::string HomeFolder()
{
    if (const char* profile = std::getenv("USERPROFILE"); profile != nullptr && profile[0] != '\0')
        return profile;
    return SpecialFolderOrWindows(CSIDL_PERSONAL);
}

std::string DataHome()
{
    return SpecialFolderOrWindows(CSIDL_APPDATA);
}

std::string ConfigHome()
{
    return SpecialFolderOrWindows(CSIDL_APPDATA);
}

}  // namespace platform
