#pragma once
// Writing indexed pictures in the BMP layouts Windows resources use.

#include "resources/compiler/ByteWriter.h"
#include "logo/Picture.h"

#include <cstdint>
#include <vector>

namespace res::rc {

// A .bmp file: 14-byte file header, 40-byte info header, the full colour
// table, rows bottom-up, each padded to four bytes. 1, 4 or 8 bits.
std::vector<std::uint8_t> EncodeBmp(const logo::Picture& picture);

// The pixel rows of an indexed picture packed at its depth, bottom-up, each
// row padded to four bytes (the layout of a DIB's bits).
std::vector<std::uint8_t> PackRowsBottomUp(const logo::Picture& picture);

// A 1-bit mask (true = bit set), packed bottom-up like PackRowsBottomUp.
std::vector<std::uint8_t> PackMaskBottomUp(const std::vector<bool>& mask, std::int32_t width, std::int32_t height);

// Appends the 40-byte BITMAPINFOHEADER.
void WriteInfoHeader(ByteWriter& out, std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel,
                     std::uint32_t imageSize, std::uint32_t colorsUsed);

}  // namespace res::rc
