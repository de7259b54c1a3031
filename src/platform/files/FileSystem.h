#pragma once
// The Windows file system as the applet sees it. Paths are Windows paths
// ("C:\WINDOWS\logow.sys"); host absolute paths ("/home/...", as a file
// dialog returns them) are accepted everywhere and used unchanged.
//
// Drive letters map to host folders (HostDriveFileSystem) or to FAT volumes
// inside disk images (ImageDriveFileSystem), side by side (DriveFileSystems).

#include "platform/WinTypes.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The host path of an existing file or folder, or the path a new file
    // of that name would get; nullopt when the path cannot be mapped.
    virtual std::optional<std::string> Resolve(const std::string& path) const = 0;
    virtual bool Exists(const std::string& path) const = 0;
    // INVALID_FILE_ATTRIBUTES when nothing exists there.
    virtual DWORD GetAttributes(const std::string& path) const = 0;
    // Replaces the whole set.
    virtual bool SetAttributes(const std::string& path, DWORD attributes) = 0;
    virtual bool Copy(const std::string& source, const std::string& target, bool failIfExists) = 0;
    virtual bool Delete(const std::string& path) = 0;

    // Whether Resolve's answer is the file itself, so writing there changes
    // it; a drive inside a disk image answers with a copy to read instead.
    virtual bool ResolvesToTheFile(const std::string& /*path*/) const { return true; }

    // Files about to be resolved one after another: a drive inside a disk
    // image reads them all with one program rather than one each. A hint:
    // missing files and other drives' paths are passed over.
    virtual void ReadAhead(const std::vector<std::string>& /*paths*/) const {}

    // The changes of one action (Apply's attribute changes, copies and
    // deletes) as one batch: on a drive inside a disk image qemu reads they
    // reach the image together, in their order, when the batch ends. Each
    // call still answers for itself; EndBatch is false when changes the
    // calls reported did not reach the disk. Batches nest.
    virtual void BeginBatch() {}
    virtual bool EndBatch() { return true; }
};

// Installs the file system every free function below works on; nullptr goes
// back to the one built from the environment.
void SetFileSystem(std::unique_ptr<FileSystem> fileSystem);

// The installed file system; the first use without one builds it from the
// environment (DriveFileSystems::FromDriveTable of DriveTable::FromEnvironment).
FileSystem& CurrentFileSystem();

}  // namespace platform
