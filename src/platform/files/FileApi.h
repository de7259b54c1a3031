#pragma once
// The Windows file calls the applet makes, on the installed FileSystem.

#include "platform/WinTypes.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

// From LUMIVANE_WINDOWS_DIR / LUMIVANE_SYSTEM_DIR, defaults C:\WINDOWS and
// C:\WINDOWS\SYSTEM. Like Windows: the length without the NUL when the
// buffer holds it all; otherwise the size needed including the NUL, and the
// buffer is left untouched.
UINT GetWindowsDirectoryA(char* buffer, UINT size);
UINT GetSystemDirectoryA(char* buffer, UINT size);

DWORD GetFileAttributesA(const std::string& path);
BOOL SetFileAttributesA(const std::string& path, DWORD attributes);
BOOL CopyFileA(const std::string& source, const std::string& target, BOOL failIfExists);
BOOL DeleteFileA(const std::string& path);

// The host path to hand to code that opens files itself: an existing file's
// real name, or the path a new file would get; nullopt when unmappable.
std::optional<std::string> ResolveHostPath(const std::string& path);

// Tells the installed file system that these paths are about to be
// resolved (FileSystem::ReadAhead).
void ReadAheadFiles(const std::vector<std::string>& paths);

// False where ResolveHostPath gives a copy to read (a file inside a disk
// image): writing that host path would not change the file.
bool HostPathIsTheFile(const std::string& path);

// The file calls made while it lives as one batch of the installed file
// system (FileSystem::BeginBatch).
class FileChangeBatch {
public:
    FileChangeBatch();
    ~FileChangeBatch();
    FileChangeBatch(const FileChangeBatch&) = delete;
    FileChangeBatch& operator=(const FileChangeBatch&) = delete;

    // Ends the batch: false when changes the calls reported did not reach
    // the disk.
    bool Finish();

private:
    bool finished_ = false;
};

}  // namespace platform
