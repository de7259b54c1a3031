#pragma once
// What a conversion into a logo is asked to do.

#include <cstdint>
#include <optional>

namespace convert {

// How the picture meets the 4:3 screen a logo is shown on.
enum class Geometry {
    Fit,      // the whole picture, bands in the fill colour
    Fill,     // covers the screen, the overhang cropped evenly
    Stretch,  // the picture squeezed to 320 x 400 with no shape correction
};

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Make Animated Bar needs 21 free entries at the end.
constexpr int kDefaultReserved = 21;
constexpr int kMaxReserved = 255;

struct ConvertOptions {
    Geometry geometry = Geometry::Fit;
    Rgb fillColor{};                     // entry 0: the bands and the screen's border
    int reserved = kDefaultReserved;     // entries at the end no pixel uses (0 .. 255)
    float dither = 1.0f;                 // Floyd-Steinberg strength, 0 (none) .. 1 (full)
    std::optional<Rgb> barColor;         // the animated bar made right away in this colour
};

}  // namespace convert
