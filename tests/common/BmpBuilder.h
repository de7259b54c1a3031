#pragma once
// The one builder of BMP files for tests: any header size (the 12-byte
// OS/2 core header up to the 124-byte v5), depth, row order, compression,
// colour counts and table length, with pixels packed from indices or given
// exactly as the file stores them. Tests that need a broken file build a
// sound one and patch its fields.

#include "logo/Picture.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace testing_support {

// Little-endian fields, written over bytes that are already there.
inline void Put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    Put16(bytes, at, value & 0xffffu);
    Put16(bytes, at + 2, value >> 16);
}

// Everything that goes into a file; BuildBmp works out the data offset and
// the file size.
struct BmpParts {
    std::uint32_t headerSize = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;           // negative: top-down rows
    std::uint16_t bits = 8;
    std::uint32_t compression = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;
    std::vector<logo::RgbQuad> table;        // written as is (3 bytes each after a 12-byte header)
    std::vector<std::uint32_t> masks;        // after a 40-byte header, inside longer ones
    std::vector<std::uint8_t> pixelData;     // exactly as stored in the file
};

inline std::vector<std::uint8_t> BuildBmp(const BmpParts& parts)
{
    const bool core = parts.headerSize == 12;
    const std::size_t masksAfterHeader = parts.headerSize == 40 ? parts.masks.size() * 4 : 0;
    const std::size_t entrySize = core ? 3 : 4;
    const std::size_t dataOffset = 14 + parts.headerSize + masksAfterHeader + parts.table.size() * entrySize;
    std::vector<std::uint8_t> bytes(dataOffset + parts.pixelData.size(), 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    Put32(bytes, 10, static_cast<std::uint32_t>(dataOffset));
    Put32(bytes, 14, parts.headerSize);
    if (core) {
        Put16(bytes, 18, static_cast<std::uint32_t>(parts.width));
        Put16(bytes, 20, static_cast<std::uint32_t>(parts.height));
        Put16(bytes, 22, 1);
        Put16(bytes, 24, parts.bits);
    } else {
        Put32(bytes, 18, static_cast<std::uint32_t>(parts.width));
        Put32(bytes, 22, static_cast<std::uint32_t>(parts.height));
        Put16(bytes, 26, 1);
        Put16(bytes, 28, parts.bits);
        Put32(bytes, 30, parts.compression);
        Put32(bytes, 46, parts.clrUsed);
        Put32(bytes, 50, parts.clrImportant);
        for (std::size_t i = 0; i < parts.masks.size(); ++i)
            Put32(bytes, 54 + i * 4, parts.masks[i]);
    }
    std::size_t at = 14 + parts.headerSize + masksAfterHeader;
    for (const logo::RgbQuad& entry : parts.table) {
        bytes[at] = entry.blue;
        bytes[at + 1] = entry.green;
        bytes[at + 2] = entry.red;
        if (!core)
            bytes[at + 3] = entry.reserved;
        at += entrySize;
    }
    std::copy(parts.pixelData.begin(), parts.pixelData.end(), bytes.begin() + static_cast<std::ptrdiff_t>(dataOffset));
    return bytes;
}

// Packs rows (given in file order) at `bits` per pixel, padding each row to
// four bytes. Up to 8 bits a row holds one index a pixel; at 24 bits it
// holds three bytes a pixel, blue first.
inline std::vector<std::uint8_t> PackRows(std::uint16_t bits, const std::vector<std::vector<std::uint8_t>>& rows)
{
    std::vector<std::uint8_t> packed;
    for (const std::vector<std::uint8_t>& row : rows) {
        const std::size_t pixels = bits == 24 ? row.size() / 3 : row.size();
        std::vector<std::uint8_t> bytes(((pixels * bits + 31) / 32) * 4, 0);
        if (bits == 24) {
            std::copy(row.begin(), row.end(), bytes.begin());
        } else {
            const unsigned mask = (1u << bits) - 1;
            for (std::size_t x = 0; x < row.size(); ++x) {
                const std::size_t bit = x * bits;
                bytes[bit / 8] |= static_cast<std::uint8_t>((row[x] & mask) << (8 - bits - bit % 8));
            }
        }
        packed.insert(packed.end(), bytes.begin(), bytes.end());
    }
    return packed;
}

// Rows of a top-down pixel list (one index, or three bytes at 24 bits, a
// pixel) in the order a file stores them.
inline std::vector<std::vector<std::uint8_t>> FileOrderRows(std::int32_t width, std::int32_t height,
                                                            std::uint16_t bits,
                                                            const std::vector<std::uint8_t>& pixels, bool topDown)
{
    const std::size_t rowLength = static_cast<std::size_t>(width) * (bits == 24 ? 3 : 1);
    std::vector<std::vector<std::uint8_t>> rows;
    for (std::int32_t i = 0; i < height; ++i) {
        const std::int32_t y = topDown ? i : height - 1 - i;
        const auto start = pixels.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * rowLength);
        rows.emplace_back(start, start + static_cast<std::ptrdiff_t>(rowLength));
    }
    return rows;
}

// An uncompressed BMP with a 40-byte header whose colour count is the
// table's length. `pixels` are top-down without padding: indices, or at 24
// bits three bytes a pixel, blue first.
inline std::vector<std::uint8_t> MakeBmp(std::int32_t width, std::int32_t height, std::uint16_t bits,
                                         const std::vector<logo::RgbQuad>& table,
                                         const std::vector<std::uint8_t>& pixels, bool topDown = false,
                                         std::uint32_t clrImportant = 0)
{
    BmpParts parts;
    parts.width = width;
    parts.height = topDown ? -height : height;
    parts.bits = bits;
    parts.clrUsed = static_cast<std::uint32_t>(table.size());
    parts.clrImportant = clrImportant;
    parts.table = table;
    parts.pixelData = PackRows(bits, FileOrderRows(width, height, bits, pixels, topDown));
    return BuildBmp(parts);
}

// An RLE8 BMP with a two-entry table around `stream`, which is written as
// it is, whether it decodes or not.
inline std::vector<std::uint8_t> MakeRle8Bmp(std::int32_t width, std::int32_t height,
                                             const std::vector<std::uint8_t>& stream)
{
    BmpParts parts;
    parts.width = width;
    parts.height = height;
    parts.compression = 1;
    parts.clrUsed = 2;
    parts.table = {logo::RgbQuad{0, 0, 0, 0}, logo::RgbQuad{255, 255, 255, 0}};
    parts.pixelData = stream;
    return BuildBmp(parts);
}

// A 320 x 400 RLE8 file whose second run overflows its row: its headers
// are a logo's, its pixels are not.
inline std::vector<std::uint8_t> MakeBrokenRle8Logo()
{
    return MakeRle8Bmp(320, 400, {200, 1, 200, 1, 0, 1});
}

}  // namespace testing_support
