#pragma once
// One frame as a PNG (libpng), true colour.

#include "export/ExportResult.h"
#include "logo/RgbImage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace exporting {

std::vector<std::uint8_t> EncodePng(const logo::RgbImage& image, std::string& error);

ExportResult ExportPng(const std::string& path, const logo::RgbImage& image);

}  // namespace exporting
