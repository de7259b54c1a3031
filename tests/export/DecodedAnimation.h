#pragma once
// Reading exported files back with the libraries' own decoders, composited
// the way a viewer shows them, so tests compare what a user would see.

#include "logo/RgbImage.h"
#include "logo/RgbaImage.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace export_testing {

struct DecodedGif {
    bool ok = false;
    std::string error;
    int width = 0;
    int height = 0;
    std::vector<logo::RgbImage> frames;        // the canvas after each frame
    std::vector<int> delays;                   // hundredths of a second
    std::vector<int> disposals;
    std::vector<std::array<int, 4>> areas;     // left, top, width, height
    std::vector<int> localTableSizes;          // 0: the frame uses the global table
    int loopCount = -1;                        // -1: no loop extension
};

DecodedGif DecodeGif(const std::vector<std::uint8_t>& bytes);

struct DecodedWebp {
    bool ok = false;
    int width = 0;
    int height = 0;
    std::vector<logo::RgbImage> frames;
    std::vector<int> timestamps;  // end of each frame, milliseconds
    int loopCount = -1;
};

DecodedWebp DecodeWebp(const std::vector<std::uint8_t>& bytes);

// Empty image when the bytes are not a PNG.
logo::RgbImage DecodePng(const std::vector<std::uint8_t>& bytes);
// The same with the PNG's transparency.
logo::RgbaImage DecodePngRgba(const std::vector<std::uint8_t>& bytes);

}  // namespace export_testing
