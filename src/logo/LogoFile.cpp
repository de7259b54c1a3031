#include "logo/LogoFile.h"

#include "logo/BmpLayout.h"
#include "logo/BmpReader.h"
#include "logo/ByteOrder.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace logo {

// The 54 header bytes of a logo file:
//   0 bfType "BM"          2 bfSize 129078       6 bfReserved1 0     8 bfReserved2 0
//  10 bfOffBits 1078      14 biSize 40          18 biWidth          22 biHeight (positive: bottom-up)
//  26 biPlanes            28 biBitCount         30 biCompression 0  34 biSizeImage 128000
//  38 biXPelsPerMeter 0   42 biYPelsPerMeter 0  46 biClrUsed 256    50 biClrImportant (marker byte)
std::vector<std::uint8_t> EncodeLogoFile(const LogoImage& picture, const ColorTable& table, bool animated,
                                         std::uint8_t count)
{
    std::vector<std::uint8_t> file(kLogoFileSize, 0);
    std::uint8_t* h = file.data();
    h[0] = 'B';
    h[1] = 'M';
    PutU32LE(h + 2, static_cast<std::uint32_t>(kLogoFileSize));          // bfSize
    PutU32LE(h + 10, static_cast<std::uint32_t>(kLogoPixelOffset));      // bfOffBits
    PutU32LE(h + 14, kBmpInfoHeaderSize);                                 // biSize
    PutU32LE(h + 18, static_cast<std::uint32_t>(picture.width));         // biWidth
    PutU32LE(h + 22, static_cast<std::uint32_t>(picture.height));        // biHeight
    PutU16LE(h + 26, picture.planes);                                     // biPlanes
    PutU16LE(h + 28, picture.bitsPerPixel);                               // biBitCount
    PutU32LE(h + 30, 0);                                                  // biCompression
    PutU32LE(h + 34, static_cast<std::uint32_t>(kLogoPixelBytes));       // biSizeImage
    PutU32LE(h + 38, 0);                                                  // biXPelsPerMeter
    PutU32LE(h + 42, 0);                                                  // biYPelsPerMeter
    PutU32LE(h + 46, 256);                                                // biClrUsed
    PutU32LE(h + 50, 0);                                                  // biClrImportant
    if (animated)
        h[kAnimationMarkerOffset] = static_cast<std::uint8_t>(256 - count);

    std::uint8_t* entries = h + kBmpFileHeaderSize + kBmpInfoHeaderSize;
    for (const RgbQuad& entry : table) {
        entries[0] = entry.blue;
        entries[1] = entry.green;
        entries[2] = entry.red;
        entries[3] = entry.reserved;
        entries += 4;
    }

    // Rows bottom-up: the file's first row is the picture's last.
    const auto rowBytes = static_cast<std::size_t>(kLogoWidth);
    std::uint8_t* rows = h + kLogoPixelOffset;
    for (std::size_t y = 0; y < static_cast<std::size_t>(kLogoHeight); ++y) {
        const std::size_t sourceRow = static_cast<std::size_t>(kLogoHeight) - 1 - y;
        std::memcpy(rows + y * rowBytes, picture.pixels.data() + sourceRow * rowBytes, rowBytes);
    }
    return file;
}

bool HasLogoShape(const BmpHeader& header)
{
    return header.width == kLogoWidth && header.height == kLogoHeight && header.bitsPerPixel == kLogoBits;
}

LoadResult LoadLogoFile(const std::string& path)
{
    const auto notALogo = [](std::int32_t width, std::int32_t height, std::uint16_t bits) {
        return LoadResult{std::nullopt, LoadError{LoadErrorKind::Unsupported,
                                                  "not a logo: " + std::to_string(width) + " x "
                                                      + std::to_string(height) + " pixels at "
                                                      + std::to_string(bits) + " bits"}};
    };
    const HeaderResult read = ReadBmpFileHeader(path);
    if (!read)
        return LoadResult{std::nullopt, read.error};
    if (!HasLogoShape(*read.header))
        return notALogo(read.header->width, read.header->height, read.header->bitsPerPixel);
    LoadResult loaded = LoadBmpFile(path);
    // The file may have been replaced since its headers were read.
    if (loaded && !IsLogoImage(*loaded.picture))
        return notALogo(loaded.picture->width, loaded.picture->height, loaded.picture->bitsPerPixel);
    return loaded;
}

bool IsLogoFile(const std::string& path)
{
    return static_cast<bool>(LoadLogoFile(path));
}

bool ReadAnimationCount(const std::string& path, std::uint8_t& count)
{
    count = 0;
    // Never opens a FIFO or a device, which could block or never end.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    file.seekg(static_cast<std::streamoff>(kAnimationMarkerOffset));
    char marker = 0;
    if (!file.get(marker))
        return false;
    const auto byte = static_cast<std::uint8_t>(marker);
    if (byte == 0)
        return false;
    count = static_cast<std::uint8_t>(256 - byte);
    return true;
}

bool HasExactLogoLayout(const BmpHeader& header)
{
    return header.fileSize == kLogoFileSize && header.dataOffset == kLogoPixelOffset
        && header.headerSize == kBmpInfoHeaderSize && header.width == kLogoWidth && header.height == kLogoHeight
        && !header.topDown && header.bitsPerPixel == kLogoBits && header.compression == 0
        && (header.colorsUsed == 0 || header.colorsUsed == 256);
}

bool HasExactLogoLayout(const std::string& path)
{
    const HeaderResult read = ReadBmpFileHeader(path);
    return read && HasExactLogoLayout(*read.header);
}

}  // namespace logo
