#pragma once
// Decoding of .cur files (the cursor resources): monochrome images with an
// AND mask and an XOR mask, and the hot spot from the directory entry.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platform {

// What a pixel of a monochrome cursor does to the screen under it.
enum class CursorPixel : std::uint8_t { Black, White, Transparent, Inverted };

struct CursorImage {
    int width = 0;
    int height = 0;
    int hotX = 0;
    int hotY = 0;
    std::vector<CursorPixel> pixels;  // rows top to bottom, width * height

    CursorPixel At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// The first image of the file that decodes. Only 1-bit images are read (the
// cursors of this program are all monochrome); nullopt for anything else,
// for truncated data and for sizes outside 1..256. A hot spot outside the
// image is moved to its nearest edge.
std::optional<CursorImage> DecodeCursorFile(std::span<const std::uint8_t> bytes);

}  // namespace platform
