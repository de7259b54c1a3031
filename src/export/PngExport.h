#pragma once
// One frame as a PNG (libpng), true colour or palette indices.

#include "export/ExportResult.h"
#include "logo/Picture.h"
#include "logo/RgbImage.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace exporting {

std::vector<std::uint8_t> EncodePng(const logo::RgbImage& image, std::string& error);

// A picture of palette indices (width * height, top-down) as a 256-colour
// PNG with the table's red, green and blue: a quarter of the true-colour
// size, and the same pixels. transparentIndex, when 0..255, is the one entry
// that shows nothing (for a picture laid over another).
std::vector<std::uint8_t> EncodeIndexedPng(int width, int height, std::span<const std::uint8_t> indices,
                                           const logo::ColorTable& table, std::string& error,
                                           int transparentIndex = -1);

ExportResult ExportPng(const std::string& path, const logo::RgbImage& image);

}  // namespace exporting
