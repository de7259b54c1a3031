#pragma once
// The logo file format: the logo test, the animation marker at offset 50 and
// the 129078-byte file the editor writes.

#include "Picture.h"

#include <cstdint>
#include <string>

namespace logo {

constexpr std::size_t kLogoFileSize = 129078;
constexpr std::size_t kLogoPixelOffset = 1078;
constexpr std::size_t kAnimationMarkerOffset = 50;

// True when the file loads as a bitmap of 320 x 400 pixels at 8 bits.
bool IsLogoFile(const std::string& path);

// Reads the byte at offset 50. Returns true with count = 256 - byte for a
// non-zero byte; false with count 0 for a static logo or any read failure.
bool ReadAnimationCount(const std::string& path, std::uint8_t& count);

// Writes picture and table in the fixed 129078-byte layout; animated files
// carry (256 - count) mod 256 at offset 50. The file is written beside the
// target and renamed over it only when complete, so a failure leaves an
// existing target untouched. Refuses a picture that is not a logo.
bool WriteLogoFile(const std::string& path, const LogoImage& picture, const ColorTable& table, bool animated,
                   std::uint8_t count);

// True when the bytes are already exactly what WriteLogoFile produces for
// some picture: 40-byte header, bottom-up, uncompressed, 8 bits, 256 entries,
// pixels at 1078, 129078 bytes in all.
bool HasExactLogoLayout(const std::string& path);

}  // namespace logo
