#pragma once
// Where Windows is, as its own MSDOS.SYS says ([Paths] WinDir), for the
// host and lumva-logo when no --windows-dir or --system-dir names it: a
// Windows installed elsewhere than C:\WINDOWS is then found by itself.

#include "platform/files/FileSystem.h"

#include <string>

namespace platform {

struct BootWindowsFolder {
    std::string windowsDir;  // unchanged, or WinDir
    std::string systemDir;   // unchanged, or WinDir\SYSTEM
    std::string note;        // the one line saying so; empty when nothing changed
    std::string error;       // WinDir is not on the drives given
};

// Reads MSDOS.SYS in the root of windowsDir's drive on fileSystem. When its
// WinDir names another folder (a path such as D:\WIN98), that folder and its
// SYSTEM folder replace the two given ones; a missing MSDOS.SYS, the DOS
// kernel, or a WinDir that is no Windows path changes nothing.
BootWindowsFolder WindowsFolderFromBootOptions(const FileSystem& fileSystem, const std::string& windowsDir,
                                               const std::string& systemDir);

}  // namespace platform
