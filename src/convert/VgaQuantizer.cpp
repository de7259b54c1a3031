#include "convert/VgaQuantizer.h"

#include <libimagequant.h>

#include <algorithm>
#include <array>
#include <memory>

namespace convert {

namespace {

// Two low bits a channel the DAC drops.
constexpr int kDroppedBits = 2;

struct AttrDeleter {
    void operator()(liq_attr* attr) const { liq_attr_destroy(attr); }
};
struct ImageDeleter {
    void operator()(liq_image* image) const { liq_image_destroy(image); }
};
struct ResultDeleter {
    void operator()(liq_result* result) const { liq_result_destroy(result); }
};

int ScreenKey(Rgb colour)
{
    return ((colour.red >> kDroppedBits) << 12) | ((colour.green >> kDroppedBits) << 6) | (colour.blue >> kDroppedBits);
}

std::uint8_t NearestEntry(const std::vector<Rgb>& palette, Rgb colour)
{
    const auto distance = [colour](Rgb entry) {
        const int r = entry.red - colour.red, g = entry.green - colour.green, b = entry.blue - colour.blue;
        return r * r + g * g + b * b;
    };
    const auto nearest = std::min_element(palette.begin(), palette.end(),
                                          [&distance](Rgb a, Rgb b) { return distance(a) < distance(b); });
    return static_cast<std::uint8_t>(nearest - palette.begin());
}

QuantizedPicture Failure(std::string reason)
{
    QuantizedPicture failed;
    failed.reason = std::move(reason);
    return failed;
}

// liq's palette in our order: the fill colour first, then each colour the
// screen shows differently; `to` maps liq's indices onto it.
void ArrangePalette(const liq_palette& found, Rgb fill, QuantizedPicture& picture, std::array<std::uint8_t, 256>& to)
{
    picture.palette.assign(1, fill);
    std::array<int, 256> keys{};
    keys[0] = ScreenKey(fill);
    for (unsigned i = 0; i < found.count; ++i) {
        const Rgb shown{AsShownByDac(found.entries[i].r), AsShownByDac(found.entries[i].g),
                        AsShownByDac(found.entries[i].b)};
        const int key = ScreenKey(shown);
        const auto end = keys.begin() + static_cast<std::ptrdiff_t>(picture.palette.size());
        const auto same = std::find(keys.begin(), end, key);
        if (same != end) {
            to[i] = static_cast<std::uint8_t>(same - keys.begin());
            continue;
        }
        if (picture.palette.size() == keys.size()) {
            // liq rounded the fill colour onto another screen colour and
            // used every entry besides: the nearest entry takes this one.
            to[i] = NearestEntry(picture.palette, shown);
            continue;
        }
        to[i] = static_cast<std::uint8_t>(picture.palette.size());
        keys[picture.palette.size()] = key;
        picture.palette.push_back(shown);
    }
}

}  // namespace

QuantizedPicture QuantizeForVga(const logo::RgbaImage& opaque, Rgb fill, int maxColors, float dither)
{
    if (!opaque.IsWellFormed())
        return Failure("the picture to reduce has no pixels");
    if (maxColors < 1 || maxColors > 256)
        return Failure("the colour count must be from 1 to 256");
    const std::size_t pixelCount = static_cast<std::size_t>(opaque.width) * static_cast<std::size_t>(opaque.height);

    QuantizedPicture picture;
    if (maxColors == 1) {
        // Room for the fill colour alone: the picture becomes that colour.
        picture.palette.assign(1, fill);
        picture.indices.assign(pixelCount, 0);
        return picture;
    }

    const std::unique_ptr<liq_attr, AttrDeleter> attr(liq_attr_create());
    if (!attr)
        return Failure("the colour reduction could not start");
    liq_set_max_colors(attr.get(), maxColors);
    // Colours closer than the DAC can tell apart are not worth an entry.
    liq_set_min_posterization(attr.get(), kDroppedBits);

    const std::unique_ptr<liq_image, ImageDeleter> image(
        liq_image_create_rgba(attr.get(), opaque.rgba.data(), opaque.width, opaque.height, 0.0));
    if (!image)
        return Failure("the picture is too large to reduce");
    liq_image_add_fixed_color(image.get(), liq_color{fill.red, fill.green, fill.blue, 255});

    liq_result* raw = nullptr;
    if (liq_image_quantize(image.get(), attr.get(), &raw) != LIQ_OK || raw == nullptr)
        return Failure("the colour reduction failed");
    const std::unique_ptr<liq_result, ResultDeleter> result(raw);
    liq_set_dithering_level(result.get(), std::clamp(dither, 0.0f, 1.0f));

    std::vector<std::uint8_t> remapped(pixelCount);
    if (liq_write_remapped_image(result.get(), image.get(), remapped.data(), remapped.size()) != LIQ_OK)
        return Failure("the colour reduction could not remap the picture");

    std::array<std::uint8_t, 256> to{};
    ArrangePalette(*liq_get_palette(result.get()), fill, picture, to);
    picture.indices.resize(pixelCount);
    std::transform(remapped.begin(), remapped.end(), picture.indices.begin(), [&to](std::uint8_t i) { return to[i]; });
    return picture;
}

}  // namespace convert
