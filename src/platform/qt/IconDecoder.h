#pragma once
// Decodes .ico bytes (the payload of an icon resource) into images, one
// per image of the group: BMP-style images of 1, 4, 8, 24 or 32 bits with
// their AND masks, and PNG images. Malformed images are skipped.

#include <QImage>

#include <cstdint>
#include <span>
#include <vector>

namespace platform::detail {

std::vector<QImage> DecodeIcoImages(std::span<const std::uint8_t> bytes);

}  // namespace platform::detail
