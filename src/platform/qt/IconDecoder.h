#pragma once
// Decodes .ico bytes (the payload of an icon resource) into images, one
// per image of the group: DIB images through the logo decoder, with their
// AND masks, and PNG images through Qt. Malformed images are skipped.

#include "logo/IconDirectory.h"

#include <QImage>

#include <cstdint>
#include <span>
#include <vector>

namespace platform::detail {

std::vector<QImage> DecodeIcoImages(std::span<const std::uint8_t> bytes);

// The image of one directory entry of `bytes`, or a null image.
QImage DecodeIcoEntry(std::span<const std::uint8_t> bytes, const logo::IconEntry& entry);

// A decoded icon image as ARGB: the AND mask makes pixels transparent,
// except in a 32-bit image with any alpha, whose alpha rules.
QImage ToQImage(const logo::IconImage& image);

}  // namespace platform::detail
