#pragma once
// The drive table as the applet sees it: letters that are host folders and
// letters that are FAT volumes inside disk images, side by side. A copy
// between a folder drive (or a host path) and an image drive, or between
// two images, goes through a host file of ours.

#include "platform/files/DriveTable.h"
#include "platform/files/FileSystem.h"
#include "platform/files/HostDriveFileSystem.h"
#include "platform/files/ImageDriveFileSystem.h"

#include <memory>
#include <vector>

namespace platform {

class DriveFileSystems final : public FileSystem {
public:
    // Each letter's text is a folder, or an image as ParseImageDriveName
    // reads it; an image whose volume cannot be found leaves its letter
    // unmapped (the host has refused such an image before).
    static std::unique_ptr<DriveFileSystems> FromDriveTable(const DriveTable& table);

    DriveFileSystems(DriveTable folders, std::vector<std::unique_ptr<ImageDriveFileSystem>> images);

    std::optional<std::string> Resolve(const std::string& path) const override;
    bool Exists(const std::string& path) const override;
    DWORD GetAttributes(const std::string& path) const override;
    bool SetAttributes(const std::string& path, DWORD attributes) override;
    bool Copy(const std::string& source, const std::string& target, bool failIfExists) override;
    bool Delete(const std::string& path) override;
    bool ResolvesToTheFile(const std::string& path) const override { return For(path).ResolvesToTheFile(path); }
    void ReadAhead(const std::vector<std::string>& paths) const override;
    void BeginBatch() override;
    bool EndBatch() override;

private:
    ImageDriveFileSystem* ImageFor(const std::string& path) const;
    FileSystem& For(const std::string& path) const;

    std::unique_ptr<HostDriveFileSystem> folders_;
    std::vector<std::unique_ptr<ImageDriveFileSystem>> images_;
};

}  // namespace platform
