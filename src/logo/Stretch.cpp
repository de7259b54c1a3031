#include "logo/Stretch.h"

#include <cstring>
#include <vector>

namespace logo {

Picture StretchPicture(const Picture& source, std::int32_t width, std::int32_t height)
{
    Picture result;
    const std::size_t sourceBytes = static_cast<std::size_t>(source.width) * static_cast<std::size_t>(source.height)
        * source.BytesPerPixel();
    if (source.width <= 0 || source.height <= 0 || source.pixels.size() != sourceBytes || width <= 0 || height <= 0
        || width > kMaxDimension || height > kMaxDimension
        || static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxPixelCount)
        return result;

    result.width = width;
    result.height = height;
    result.planes = source.planes;
    result.bitsPerPixel = source.bitsPerPixel;
    result.colorTable = source.colorTable;

    const std::size_t pixelSize = source.BytesPerPixel();
    const std::size_t sourceStride = static_cast<std::size_t>(source.width) * pixelSize;
    const std::size_t targetStride = static_cast<std::size_t>(width) * pixelSize;
    result.pixels.resize(targetStride * static_cast<std::size_t>(height));

    // Source column of every target column, computed once.
    std::vector<std::size_t> columnOffset(static_cast<std::size_t>(width));
    for (std::int32_t x = 0; x < width; ++x) {
        const auto sourceX = static_cast<std::uint64_t>(x) * static_cast<std::uint64_t>(source.width)
            / static_cast<std::uint64_t>(width);
        columnOffset[static_cast<std::size_t>(x)] = static_cast<std::size_t>(sourceX) * pixelSize;
    }

    std::int64_t previousSourceY = -1;
    for (std::int32_t y = 0; y < height; ++y) {
        const auto sourceY = static_cast<std::int64_t>(static_cast<std::uint64_t>(y)
            * static_cast<std::uint64_t>(source.height) / static_cast<std::uint64_t>(height));
        std::uint8_t* target = result.pixels.data() + static_cast<std::size_t>(y) * targetStride;
        if (sourceY == previousSourceY) {
            // Same source row as the previous target row: copy that row whole.
            std::memcpy(target, target - targetStride, targetStride);
            continue;
        }
        previousSourceY = sourceY;
        const std::uint8_t* row = source.pixels.data() + static_cast<std::size_t>(sourceY) * sourceStride;
        if (pixelSize == 1) {
            for (std::int32_t x = 0; x < width; ++x)
                target[x] = row[columnOffset[static_cast<std::size_t>(x)]];
        } else {
            for (std::int32_t x = 0; x < width; ++x)
                std::memcpy(target + static_cast<std::size_t>(x) * 4, row + columnOffset[static_cast<std::size_t>(x)], 4);
        }
    }
    return result;
}

LoadResult LoadBmpFileScaled(const std::string& path, std::int32_t width, std::int32_t height)
{
    LoadResult loaded = LoadBmpFile(path);
    if (!loaded)
        return loaded;
    Picture stretched = StretchPicture(*loaded.picture, width, height);
    if (stretched.width == 0) {
        LoadResult refused;
        refused.error = {LoadErrorKind::TooLarge, "the requested size cannot be made"};
        return refused;
    }
    loaded.picture = std::move(stretched);
    return loaded;
}

}  // namespace logo
