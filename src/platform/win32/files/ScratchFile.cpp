#include "platform/files/ScratchFile.h"

#include "platform/WinTypes.h"

#include <cstdio>

namespace platform {

namespace {

// A new folder of our own under the temporary folder; empty on failure.
std::string MakeScratchFolder()
{
    char root[MAX_PATH] = {};
    const DWORD length = ::GetTempPathA(sizeof root, root);
    if (length == 0 || length >= sizeof root)
        return std::string();
    std::string base(root, length);
    if (base.back() != '\\' && base.back() != '/')
        base += '\\';
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[64];
        std::snprintf(name, sizeof name, "lumivane-scratch-%lx-%x", static_cast<unsigned long>(::GetCurrentProcessId()),
                      ++counter ^ static_cast<unsigned>(::GetTickCount()));
        const std::string folder = base + name;
        if (::CreateDirectoryA(folder.c_str(), nullptr) != FALSE)
            return folder;
        if (::GetLastError() != ERROR_ALREADY_EXISTS)
            return std::string();
    }
    return std::string();
}

void RemoveFolderAndFiles(const std::string& folder)
{
    WIN32_FIND_DATAA entry{};
    const HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == ".." || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                continue;
            const std::string path = folder + "\\" + name;
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileA(path.c_str());
        } while (::FindNextFileA(search, &entry) != FALSE);
        ::FindClose(search);
    }
    ::RemoveDirectoryA(folder.c_str());
}

}  // namespace

ScratchFile::ScratchFile(const std::string& name)
{
    if (name.empty() || name.find_first_of("\\/:") != std::string::npos)
        return;
    folder_ = MakeScratchFolder();
    if (!folder_.empty())
        path_ = folder_ + "\\" + name;
}

ScratchFile::~ScratchFile()
{
    if (!folder_.empty())
        RemoveFolderAndFiles(folder_);
}

}  // namespace platform
