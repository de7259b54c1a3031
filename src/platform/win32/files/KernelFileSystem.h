#pragma once
// The file system of the running Windows: every call goes to kernel32 with
// the path as given.

#include "platform/files/FileSystem.h"

namespace platform::win32 {

class KernelFileSystem final : public FileSystem {
public:
    std::optional<std::string> Resolve(const std::string& path) const override;
    bool Exists(const std::string& path) const override;
    DWORD GetAttributes(const std::string& path) const override;
    bool SetAttributes(const std::string& path, DWORD attributes) override;
    bool Copy(const std::string& source, const std::string& target, bool failIfExists) override;
    bool Delete(const std::string& path) override;
};

}  // namespace platform::win32
