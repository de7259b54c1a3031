#include "platform/ui/PictureFiles.h"

#include "logo/LogoFile.h"
#include "logo/Stretch.h"
#include "platform/files/FileApi.h"
#include "platform/files/LogoFileWriter.h"

#include <optional>

namespace platform {

namespace {

logo::LoadResult Unmappable()
{
    return logo::LoadResult{std::nullopt, logo::LoadError{logo::LoadErrorKind::Io, "the path maps to no drive"}};
}

}  // namespace

logo::LoadResult LoadPictureFile(const std::string& path)
{
    const std::optional<std::string> hostPath = ResolveHostPath(path);
    return hostPath ? logo::LoadBmpFile(*hostPath) : Unmappable();
}

logo::LoadResult LoadPictureFileScaled(const std::string& path, std::int32_t width, std::int32_t height)
{
    const std::optional<std::string> hostPath = ResolveHostPath(path);
    return hostPath ? logo::LoadBmpFileScaled(*hostPath, width, height) : Unmappable();
}

bool IsLogoPictureFile(const std::string& path)
{
    const std::optional<std::string> hostPath = ResolveHostPath(path);
    return hostPath && logo::IsLogoFile(*hostPath);
}

bool ReadPictureAnimationCount(const std::string& path, std::uint8_t& count)
{
    const std::optional<std::string> hostPath = ResolveHostPath(path);
    return hostPath && logo::ReadAnimationCount(*hostPath, count);
}

bool WriteLogoPictureFile(const std::string& path, const logo::LogoImage& picture, const logo::ColorTable& table,
                          bool animated, std::uint8_t count)
{
    const std::optional<std::string> hostPath = ResolveHostPath(path);
    return hostPath && WriteLogoFile(*hostPath, picture, table, animated, count);
}

std::optional<std::string> HostPathOf(const std::string& path)
{
    return ResolveHostPath(path);
}

bool PictureFileExists(const std::string& path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace platform
