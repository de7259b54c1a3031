#pragma once
// The logo file format: the logo test, the animation marker at offset 50 and
// the 129078-byte file the editor writes.

#include "logo/BmpReader.h"
#include "logo/Picture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace logo {

constexpr std::size_t kLogoFileSize = 129078;
constexpr std::size_t kLogoPixelOffset = 1078;
constexpr std::size_t kAnimationMarkerOffset = 50;

// True when the headers say 320 x 400 pixels at 8 bits.
bool HasLogoShape(const BmpHeader& header);

// The logo test: the file loads as a picture of 320 x 400 pixels at 8 bits.
// The headers are read first, so any other file is refused after at most
// kHeaderBytes; only a file whose headers pass is decoded, which is what
// finds a broken run-length stream.
bool IsLogoFile(const std::string& path);
// The same test, keeping the picture (or the reason there is none).
LoadResult LoadLogoFile(const std::string& path);

// Reads the byte at offset 50. Returns true with count = 256 - byte for a
// non-zero byte; false with count 0 for a static logo or any read failure.
bool ReadAnimationCount(const std::string& path, std::uint8_t& count);

// The 129078 bytes of the logo file for picture and table; animated files
// carry (256 - count) mod 256 at offset 50. The picture must be a logo
// (IsLogoImage). Writing them to disk is the file layer's job
// (platform::WriteLogoFile).
std::vector<std::uint8_t> EncodeLogoFile(const LogoImage& picture, const ColorTable& table, bool animated,
                                         std::uint8_t count);

// True when the headers say the file is exactly what the writer produces
// for some picture: 40-byte header, bottom-up, uncompressed, 8 bits, 256
// entries, pixels at 1078, 129078 bytes in all. Reads the headers only.
bool HasExactLogoLayout(const BmpHeader& header);
bool HasExactLogoLayout(const std::string& path);

}  // namespace logo
