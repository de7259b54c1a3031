#pragma once
// The in-memory picture every part of Lumivane works on: what the BMP reader
// decodes, what the previews show and what the palette operations edit.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace logo {

// One colour-table entry, bytes in file order.
struct RgbQuad {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;

    friend bool operator==(const RgbQuad&, const RgbQuad&) = default;
};

using ColorTable = std::array<RgbQuad, 256>;

// A decoded bitmap. Rows are top-down with no padding.
//  - Indexed pictures (bitsPerPixel 1, 4 or 8): one palette index per pixel
//    (width * height bytes) and a colour table of exactly 2^bitsPerPixel
//    entries (entries the file did not give are black).
//  - Direct-colour pictures (16, 24, 32): four bytes per pixel, in the order
//    blue, green, red, 0; the colour table is empty.
// bitsPerPixel keeps the depth the file had, so callers can tell a 4-bit
// picture from an 8-bit one after decoding.
struct Picture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitsPerPixel = 0;
    std::vector<RgbQuad> colorTable;
    std::vector<std::uint8_t> pixels;

    bool IsIndexed() const { return bitsPerPixel >= 1 && bitsPerPixel <= 8; }
    std::size_t BytesPerPixel() const { return IsIndexed() ? 1 : 4; }

    // The colour shown at (x, y); an index beyond the table shows black.
    RgbQuad ColorAt(std::int32_t x, std::int32_t y) const;
};

// A logo is a picture of exactly this shape.
constexpr std::int32_t kLogoWidth = 320;
constexpr std::int32_t kLogoHeight = 400;
constexpr std::uint16_t kLogoBits = 8;
constexpr std::size_t kLogoPixelBytes = 320u * 400u;  // 128000

using LogoImage = Picture;

// True when the picture is 320 x 400 at 8 bits with 256 entries and
// 128000 pixel bytes: the shape every pixel operation relies on.
bool IsLogoImage(const Picture& picture);

// True for an 8-bit indexed picture of any size with a full 256-entry table,
// which is all the colour-table copy and the animation step need (the main
// preview animates a stretched copy of the logo).
bool HasFullColorTable(const Picture& picture);

// A blank logo: 320 x 400 x 8, all pixels 0, all entries black.
LogoImage MakeBlankLogo();

}  // namespace logo
