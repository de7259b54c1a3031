#include "convert/LinearResample.h"

#include <stb_image_resize.h>

#include <algorithm>
#include <cmath>

namespace convert {

namespace {

constexpr int kChannels = 4;
constexpr int kAlphaChannel = 3;

}  // namespace

bool ResampleRegion(const logo::RgbaImage& source, const SourceRegion& region, int width, int height,
                    logo::RgbaImage& result)
{
    if (!source.IsWellFormed() || width <= 0 || height <= 0)
        return false;
    if (!(region.left >= 0 && region.top >= 0 && region.right <= source.width && region.bottom <= source.height
          && region.left < region.right && region.top < region.bottom))
        return false;

    result.width = width;
    result.height = height;
    result.rgba.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * kChannels, 0);
    const auto s0 = static_cast<float>(region.left / source.width);
    const auto t0 = static_cast<float>(region.top / source.height);
    const auto s1 = static_cast<float>(region.right / source.width);
    const auto t1 = static_cast<float>(region.bottom / source.height);
    const int done = stbir_resize_region(source.rgba.data(), source.width, source.height, source.width * kChannels,
                                         result.rgba.data(), width, height, width * kChannels, STBIR_TYPE_UINT8,
                                         kChannels, kAlphaChannel, 0, STBIR_EDGE_CLAMP, STBIR_EDGE_CLAMP,
                                         STBIR_FILTER_CATMULLROM, STBIR_FILTER_CATMULLROM, STBIR_COLORSPACE_SRGB, nullptr,
                                         s0, t0, s1, t1);
    return done != 0;
}

logo::RgbaImage ReduceToPixelCount(const logo::RgbaImage& source, std::size_t maxPixels)
{
    const double pixels = static_cast<double>(source.width) * source.height;
    if (!source.IsWellFormed() || maxPixels == 0 || pixels <= static_cast<double>(maxPixels))
        return source;
    const double scale = std::sqrt(static_cast<double>(maxPixels) / pixels);
    const int width = std::max(1, static_cast<int>(source.width * scale));
    const int height = std::max(1, static_cast<int>(source.height * scale));
    logo::RgbaImage reduced;
    const SourceRegion whole{0, 0, static_cast<double>(source.width), static_cast<double>(source.height)};
    if (!ResampleRegion(source, whole, width, height, reduced))
        return source;
    return reduced;
}

}  // namespace convert
