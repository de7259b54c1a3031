#include "ui/main/PreviewPictures.h"

#include "platform/ui/PictureFiles.h"
#include "platform/ui/ResourceLoading.h"
#include "resources/ResourceIds.h"

std::unique_ptr<logo::Picture> LoadPreviewPicture(const std::string& path, std::int32_t width, std::int32_t height)
{
    logo::LoadResult loaded = platform::LoadPictureFileScaled(path, width, height);
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
    std::uint8_t count = 0;
    if (!platform::ReadPictureAnimationCount(path, count))
        return 0;
    return count;
}

bool FileExists(const std::string& path)
{
    return platform::PictureFileExists(path);
}
