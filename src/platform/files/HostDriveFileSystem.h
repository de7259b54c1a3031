#pragma once
// Drive letters mapped to host folders. Each component of a Windows path is
// looked up without regard to case, so "logo.sys" finds "LOGO.SYS"; a name
// that does not exist yet keeps the spelling asked for.

#include "platform/files/DriveTable.h"
#include "platform/files/FileSystem.h"

namespace platform {

class HostDriveFileSystem final : public FileSystem {
public:
    explicit HostDriveFileSystem(DriveTable drives);

    const DriveTable& Drives() const { return drives_; }

    std::optional<std::string> Resolve(const std::string& path) const override;
    bool Exists(const std::string& path) const override;
    DWORD GetAttributes(const std::string& path) const override;
    bool SetAttributes(const std::string& path, DWORD attributes) override;
    bool Copy(const std::string& source, const std::string& target, bool failIfExists) override;
    bool Delete(const std::string& path) override;

private:
    DriveTable drives_;
};

}  // namespace platform
