#include "export/AnimationFrames.h"

#include "logo/BootScreen.h"

namespace exporting {

AnimationFrames BuildAnimationFrames(const logo::LogoImage& picture, const logo::ColorTable& table,
                                     std::uint8_t count, bool screen, int periodMilliseconds)
{
    AnimationFrames frames;
    if (!logo::IsLogoImage(picture))
        return frames;
    frames.periodMilliseconds = periodMilliseconds;
    frames.firstCycling = 256 - count;
    if (screen) {
        frames.width = logo::kBootScreenWidth;
        frames.height = logo::kBootScreenHeight;
        frames.indices = logo::ScaleToBootScreen(picture.pixels);
    } else {
        frames.width = logo::kLogoWidth;
        frames.height = logo::kLogoHeight;
        frames.indices = picture.pixels;
    }
    const unsigned frameCount = count == 0 ? 1 : count;
    frames.tables.reserve(frameCount);
    logo::ColorTable current = table;
    for (unsigned k = 0; k < frameCount; ++k) {
        frames.tables.push_back(screen ? logo::ThroughDac(current) : current);
        current = logo::TableAfterTicks(current, count, 1);
    }
    return frames;
}

logo::RgbImage FrameImage(const AnimationFrames& frames, std::size_t frame)
{
    logo::RgbImage image;
    if (frame >= frames.tables.size())
        return image;
    const logo::ColorTable& table = frames.tables[frame];
    image.width = frames.width;
    image.height = frames.height;
    image.rgb.resize(frames.indices.size() * 3);
    std::uint8_t* out = image.rgb.data();
    for (const std::uint8_t index : frames.indices) {
        *out++ = table[index].red;
        *out++ = table[index].green;
        *out++ = table[index].blue;
    }
    return image;
}

}  // namespace exporting
