#pragma once
// The frames of a logo's cycle, as every exporter takes them: one picture of
// palette indices and, per frame, the colours it shows. Frame k is the table
// after k ticks, so the last frame leads seamlessly back to the first.

#include "logo/Picture.h"
#include "logo/RgbImage.h"

#include <cstdint>
#include <vector>

namespace exporting {

constexpr int kDefaultPeriodMilliseconds = 100;

struct AnimationFrames {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;       // width * height, top-down
    std::vector<logo::ColorTable> tables;    // the colours shown in each frame
    int firstCycling = 256;                  // 256 - N; 256 for a static logo
    int periodMilliseconds = kDefaultPeriodMilliseconds;
};

// count: the animation count N (0 static: one frame; N: N frames). screen:
// the 640 x 480 boot screen in 6-bit colours; otherwise 320 x 400 at the
// table's own colours. The picture must be a logo (IsLogoImage); anything
// else gives no frames.
AnimationFrames BuildAnimationFrames(const logo::LogoImage& picture, const logo::ColorTable& table,
                                     std::uint8_t count, bool screen,
                                     int periodMilliseconds = kDefaultPeriodMilliseconds);

// Frame k as true colour.
logo::RgbImage FrameImage(const AnimationFrames& frames, std::size_t frame);

}  // namespace exporting
