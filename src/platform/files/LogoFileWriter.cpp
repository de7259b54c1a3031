#include "platform/files/LogoFileWriter.h"

#include "platform/files/AtomicReplace.h"

#include "logo/LogoFile.h"

#include <sys/stat.h>

#include <cerrno>

namespace platform {

namespace {

bool IsReadOnly(const std::string& hostPath)
{
    struct stat existing {};
    return stat(hostPath.c_str(), &existing) == 0 && (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

bool WriteLogoFile(const std::string& hostPath, const logo::LogoImage& picture, const logo::ColorTable& table,
                   bool animated, std::uint8_t count)
{
    if (!logo::IsLogoImage(picture) || hostPath.empty())
        return false;
    AtomicReplace output(hostPath);
    if (IsReadOnly(output.FinalTarget()) || !output.IsOpen())
        return false;
    const std::vector<std::uint8_t> bytes = logo::EncodeLogoFile(picture, table, animated, count);
    if (!output.Write(std::span<const char>(reinterpret_cast<const char*>(bytes.data()), bytes.size())))
        return false;
    return output.Commit(true);
}

}  // namespace platform
