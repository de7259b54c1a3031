#include "ui/main/PreviewPictures.h"

#include "logo/LogoFile.h"
#include "logo/Stretch.h"
#include "platform/modres/ModuleResources.h"
#include "platform/files/FileApi.h"
#include "resources/ResourceIds.h"

std::unique_ptr<logo::Picture> LoadPreviewPicture(const std::string& path, std::int32_t width, std::int32_t height)
{
    const std::optional<std::string> hostPath = platform::ResolveHostPath(path);
    if (!hostPath)
        return nullptr;
    logo::LoadResult loaded = logo::LoadBmpFileScaled(*hostPath, width, height);
    if (!loaded)
        return nullptr;
    return std::make_unique<logo::Picture>(std::move(*loaded.picture));
}

std::unique_ptr<logo::Picture> LoadPlaceholderPicture()
{
    std::optional<logo::Picture> placeholder = platform::LoadBitmapA(res::IDB_PREVIEW_UNAVAILABLE);
    if (!placeholder)
        return nullptr;
    return std::make_unique<logo::Picture>(std::move(*placeholder));
}

std::uint8_t ReadFileAnimationCount(const std::string& path)
{
    const std::optional<std::string> hostPath = platform::ResolveHostPath(path);
    std::uint8_t count = 0;
    if (!hostPath || !logo::ReadAnimationCount(*hostPath, count))
        return 0;
    return count;
}

bool FileExists(const std::string& path)
{
    return platform::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}
