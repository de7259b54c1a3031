#pragma once
// Wine's file system redirection for 32-bit programs in a 64-bit prefix:
// what they call C:\windows\system32 is stored in C:\windows\syswow64. A
// file system wrapped here sees every path under one folder as the same
// path under another; everything else passes unchanged.

#include "platform/files/FileSystem.h"

#include <memory>
#include <string>

namespace platform {

// Replaces a leading "from" folder (compared without regard to case, whole
// components only) by "to"; other paths come back unchanged.
std::string RedirectFolder(const std::string& path, const std::string& from, const std::string& to);

class RedirectedFileSystem final : public FileSystem {
public:
    RedirectedFileSystem(std::unique_ptr<FileSystem> inner, std::string from, std::string to);

    std::optional<std::string> Resolve(const std::string& path) const override;
    bool Exists(const std::string& path) const override;
    DWORD GetAttributes(const std::string& path) const override;
    bool SetAttributes(const std::string& path, DWORD attributes) override;
    bool Copy(const std::string& source, const std::string& target, bool failIfExists) override;
    bool Delete(const std::string& path) override;
    bool ResolvesToTheFile(const std::string& path) const override;
    void BeginBatch() override { inner_->BeginBatch(); }
    bool EndBatch() override { return inner_->EndBatch(); }

private:
    std::string Map(const std::string& path) const { return RedirectFolder(path, from_, to_); }

    std::unique_ptr<FileSystem> inner_;
    std::string from_;
    std::string to_;
};

// With LUMIVANE_SYSTEM_DIR_STORED set (by the host, for a 64-bit Wine
// prefix), the system folder LUMIVANE_SYSTEM_DIR is redirected there.
std::unique_ptr<FileSystem> WithSystemFolderRedirect(std::unique_ptr<FileSystem> fileSystem);

}  // namespace platform
