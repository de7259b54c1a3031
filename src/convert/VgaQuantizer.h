#pragma once
// Colour reduction for what the boot screen shows. The VGA DAC keeps six bits
// a channel, so colours equal in their top six bits are one colour on screen:
// the palette is spent only on colours that differ there.

#include "convert/ConvertOptions.h"
#include "logo/RgbaImage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace convert {

struct QuantizedPicture {
    // palette[0] is the fill colour as given; every other entry is a colour
    // the screen can show (six bits a channel, widened to eight) and differs
    // on screen from all the others.
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> indices;  // one per pixel, into palette
    std::string reason;                 // why quantisation failed, when it did

    explicit operator bool() const { return reason.empty(); }
};

// The eight-bit value whose top six bits the DAC shows, as the screen shows it.
constexpr std::uint8_t AsShownByDac(std::uint8_t value)
{
    const auto six = static_cast<std::uint8_t>(value >> 2);
    return static_cast<std::uint8_t>((six << 2) | (six >> 4));
}

// An opaque picture reduced to at most maxColors (1 .. 256) entries, fill
// included, with Floyd-Steinberg remapping of the given strength (0 .. 1).
QuantizedPicture QuantizeForVga(const logo::RgbaImage& opaque, Rgb fill, int maxColors, float dither);

}  // namespace convert
