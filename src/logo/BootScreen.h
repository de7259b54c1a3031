#pragma once
// The logo as a 4:3 VGA screen shows it while Windows starts: 640 x 480, each
// logo pixel two screen pixels wide and 6/5 rows tall, every colour through
// the 6-bit DAC, the cycle stepped once every 100 ms.

#include "logo/Picture.h"
#include "logo/RgbImage.h"

#include <cstdint>
#include <vector>

namespace logo {

constexpr int kBootScreenWidth = 640;
constexpr int kBootScreenHeight = 480;
constexpr int kBootTickMilliseconds = 100;

// A channel as the DAC shows it: only the top 6 bits reach the screen,
// spread back over 0..255 (round((c >> 2) * 255 / 63)).
std::uint8_t DacLevel(std::uint8_t channel);

// Every entry's red, green and blue through DacLevel; reserved becomes 0.
ColorTable ThroughDac(const ColorTable& table);

// The first screen row that logo row r covers on a screen `scale` times
// 640 x 480: floor(1.2 r scale). Row r covers BootScreenRowOf(r) up to
// BootScreenRowOf(r + 1) - 1 (one or two rows at scale 1).
int BootScreenRowOf(int logoRow, int scale = 1);

// The logo's 128000 indices spread over (640 x 480) * scale by nearest
// neighbour, each logo pixel 2 * scale columns wide, so a caller can keep
// working in palette indices (the GIF export and the Plymouth theme do).
// Whole-number scales keep every logo pixel sharp on a larger screen.
std::vector<std::uint8_t> ScaleToBootScreen(const std::vector<std::uint8_t>& logoPixels, int scale = 1);

// The table after `ticks` steps of the boot's cycle over the last `count`
// entries (AnimationStep repeated; count 0 means static).
ColorTable TableAfterTicks(const ColorTable& table, std::uint8_t count, unsigned ticks);

// One frame. screen: 640 x 480 in 6-bit colours; otherwise 320 x 400 at the
// table's own colours. The picture must be a logo (IsLogoImage); anything
// else gives an empty image.
RgbImage RenderBootScreen(const LogoImage& picture, const ColorTable& table, bool screen);

}  // namespace logo
