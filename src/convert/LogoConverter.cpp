#include "convert/LogoConverter.h"

#include "convert/AlphaFlatten.h"
#include "convert/LinearResample.h"
#include "convert/LogoGeometry.h"
#include "convert/VgaQuantizer.h"
#include "logo/PaletteOperations.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace convert {

namespace {

// Make Animated Bar's own demand: 21 free entries at the end.
constexpr int kBarEntries = 21;

ConvertResult Refusal(std::string reason)
{
    ConvertResult refused;
    refused.reason = std::move(reason);
    return refused;
}

std::optional<std::string> CheckOptions(const logo::RgbaImage& source, const ConvertOptions& options)
{
    if (!source.IsWellFormed())
        return "the picture has no pixels";
    if (options.reserved < 0 || options.reserved > kMaxReserved)
        return "the reserved entries must be from 0 to 255";
    if (!(options.dither >= 0.0f && options.dither <= 1.0f))
        return "the dithering strength must be from 0 to 1";
    if (options.barColor && options.reserved < kBarEntries)
        return "the animated bar needs at least 21 reserved entries";
    return std::nullopt;
}

logo::RgbQuad Entry(Rgb colour)
{
    return logo::RgbQuad{colour.blue, colour.green, colour.red, 0};
}

// The reduced picture laid into a blank logo whose bands show entry 0.
logo::LogoImage Assemble(const QuantizedPicture& reduced, const LogoRect& target, Rgb fill)
{
    logo::LogoImage image = logo::MakeBlankLogo();
    std::fill(image.colorTable.begin(), image.colorTable.end(), Entry(fill));
    for (std::size_t i = 0; i < reduced.palette.size(); ++i)
        image.colorTable[i] = Entry(reduced.palette[i]);
    for (int y = 0; y < target.height; ++y) {
        const auto from = reduced.indices.begin() + static_cast<std::ptrdiff_t>(y) * target.width;
        const auto to = image.pixels.begin() + static_cast<std::ptrdiff_t>(target.top + y) * logo::kLogoWidth + target.left;
        std::copy(from, from + target.width, to);
    }
    return image;
}

}  // namespace

int CountUsedEntries(const logo::LogoImage& picture)
{
    std::array<bool, 256> used{};
    for (const std::uint8_t index : picture.pixels)
        used[index] = true;
    return static_cast<int>(std::count(used.begin(), used.end(), true));
}

ConvertResult ConvertToLogo(const logo::RgbaImage& source, const ConvertOptions& options)
{
    if (const auto problem = CheckOptions(source, options))
        return Refusal(*problem);

    const Placement placement = PlacePicture(source.width, source.height, options.geometry);
    logo::RgbaImage resampled;
    if (!ResampleRegion(source, placement.source, placement.target.width, placement.target.height, resampled))
        return Refusal("the picture could not be resampled");
    FlattenOnto(resampled, options.fillColor);

    const QuantizedPicture reduced =
        QuantizeForVga(resampled, options.fillColor, 256 - options.reserved, options.dither);
    if (!reduced)
        return Refusal(reduced.reason);

    ConvertResult result;
    result.picture = Assemble(reduced, placement.target, options.fillColor);
    if (options.barColor) {
        logo::PaletteState state;
        state.m_picture = &*result.picture;
        logo::LoadColorTable(state);
        state.m_red = options.barColor->red;
        state.m_green = options.barColor->green;
        state.m_blue = options.barColor->blue;
        // Cannot be short of room: the reserved entries were kept free.
        if (logo::MakeAnimatedBar(state) != logo::BarOutcome::Done)
            return Refusal("the animated bar could not be made");
        result.animated = true;
        result.animCount = state.m_animCount;
    }
    result.colorsUsed = CountUsedEntries(*result.picture);
    return result;
}

}  // namespace convert
