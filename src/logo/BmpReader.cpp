#include "logo/BmpReader.h"

#include "logo/BmpLayout.h"
#include "logo/ByteOrder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <utility>

namespace logo {

namespace {

// File header, 14 bytes at offset 0:
//   0  2  bfType       "BM"
//   2  4  bfSize       not trusted, never read (many writers get it wrong)
//   6  4  bfReserved1/2
//  10  4  bfOffBits    offset of the first pixel byte
//
// Info header, at offset 14 of a file and at offset 0 of an icon or cursor
// image (offsets below are from the start of the info header):
//  OS/2 1.x core header (biSize 12):
//   0  4  bcSize
//   4  2  bcWidth      unsigned
//   6  2  bcHeight     unsigned, rows always bottom-up
//   8  2  bcPlanes
//  10  2  bcBitCount
//  Windows 40/52/56/108/124 and OS/2 2.x 16/64 byte headers:
//   0  4  biSize
//   4  4  biWidth
//   8  4  biHeight     negative for top-down rows; twice the rows in an icon
//  12  2  biPlanes
//  14  2  biBitCount
//  16  4  biCompression   (absent from the 16-byte OS/2 header: 0)
//  20  4  biSizeImage     not needed: row sizes come from the width
//  24  4  biXPelsPerMeter
//  28  4  biYPelsPerMeter
//  32  4  biClrUsed       0 means 2^bits for indexed pictures
//  36  4  biClrImportant
//  40  4  red mask        inside the header from 52 bytes on; after a
//  44  4  green mask      40-byte header when the compression is bitfields
//  48  4  blue mask
//  52  4  alpha mask      (ignored: pictures have no alpha)
constexpr std::size_t kOffBitsAt = 10;
constexpr std::size_t kCoreWidthAt = 4;
constexpr std::size_t kCoreHeightAt = 6;
constexpr std::size_t kCorePlanesAt = 8;
constexpr std::size_t kCoreBitCountAt = 10;
constexpr std::size_t kWidthAt = 4;
constexpr std::size_t kHeightAt = 8;
constexpr std::size_t kPlanesAt = 12;
constexpr std::size_t kBitCountAt = 14;
constexpr std::size_t kCompressionAt = 16;
constexpr std::size_t kClrUsedAt = 32;
constexpr std::size_t kClrImportantAt = 36;
constexpr std::size_t kMasksAt = 40;

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kOs2ShortHeaderSize = 16;
constexpr std::uint32_t kOs2HeaderSize = 64;
// 52 and 56 add the masks to the 40-byte header; 108 and 124 are v4 and v5.
constexpr std::array<std::uint32_t, 8> kHeaderSizes = {kCoreHeaderSize, kOs2ShortHeaderSize, kBmpInfoHeaderSize, 52, 56,
                                                       kOs2HeaderSize, 108, 124};

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiJpeg = 4;
constexpr std::uint32_t kBiPng = 5;
constexpr std::uint32_t kBiAlphaBitfields = 6;

std::int32_t ReadI32(std::span<const std::uint8_t> data, std::size_t at)
{
    const std::uint32_t value = ReadU32LE(data, at);
    return std::bit_cast<std::int32_t>(value);
}

LoadResult Fail(LoadErrorKind kind, std::string reason)
{
    LoadResult result;
    result.error = LoadError{kind, std::move(reason)};
    return result;
}

std::string Hex(std::uint32_t value)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text = "0x";
    bool started = false;
    for (int shift = 28; shift >= 0; shift -= 4) {
        const std::uint32_t digit = (value >> shift) & 0xfu;
        started = started || digit != 0 || shift == 0;
        if (started)
            text += kDigits[digit];
    }
    return text;
}

enum class Encoding { Uncompressed, Bitfields, Rle8, Rle4 };

// One colour channel of a direct-colour pixel.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint64_t maximum = 0;  // the largest value the channel holds

    std::uint8_t Scale(std::uint32_t pixel) const
    {
        if (maximum == 0)
            return 0;
        const std::uint64_t value = (pixel & mask) >> shift;
        return static_cast<std::uint8_t>((value * 255 + maximum / 2) / maximum);
    }
};

Channel MakeChannel(std::uint32_t mask)
{
    Channel channel;
    channel.mask = mask;
    if (mask != 0) {
        channel.shift = std::countr_zero(mask);
        channel.maximum = (std::uint64_t{mask} >> channel.shift);
    }
    return channel;
}

// Everything the headers say, validated.
struct Layout {
    std::uint32_t headerSize = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;       // biClrUsed as written
    std::uint32_t colorsImportant = 0;  // biClrImportant as written
    std::int32_t width = 0;
    std::int32_t height = 0;  // always positive here
    bool topDown = false;
    std::uint16_t bits = 0;
    Encoding encoding = Encoding::Uncompressed;
    std::array<std::uint32_t, 3> masks{};  // red, green, blue
    std::size_t tableOffset = 0;
    std::size_t tableEntrySize = 4;
    std::size_t tableEntries = 0;  // entries present in the file
    std::size_t dataOffset = 0;
    std::size_t maskOffset = 0;  // icon and cursor images: the AND mask rows
    bool hasMask = false;
};

bool IsKnownHeaderSize(std::uint32_t size)
{
    return std::find(kHeaderSizes.begin(), kHeaderSizes.end(), size) != kHeaderSizes.end();
}

bool IsBmpBitCount(std::uint16_t bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Maps the compression field to an encoding, or says why it cannot be read.
std::optional<LoadError> ChooseEncoding(std::uint32_t compression, std::uint16_t bits, bool os2, Encoding& encoding)
{
    // OS/2 2.x gave 3 and 4 their own meanings.
    if (os2 && compression == kBiBitfields)
        return LoadError{LoadErrorKind::Unsupported, "Huffman-compressed BMP is not supported"};
    if (os2 && compression == kBiJpeg)
        return LoadError{LoadErrorKind::Unsupported, "24-bit RLE-compressed BMP is not supported"};
    if (compression == kBiJpeg)
        return LoadError{LoadErrorKind::Unsupported, "BMP holding a JPEG image is not supported"};
    if (compression == kBiPng)
        return LoadError{LoadErrorKind::Unsupported, "BMP holding a PNG image is not supported"};
    if (compression >= 11 && compression <= 13)
        return LoadError{LoadErrorKind::Unsupported, "CMYK BMP is not supported"};
    if (!IsBmpBitCount(bits))
        return LoadError{LoadErrorKind::Malformed, "bit count " + std::to_string(bits) + " is not a BMP bit count"};

    const bool valid = (compression == kBiRgb) || (compression == kBiRle8 && bits == 8)
        || (compression == kBiRle4 && bits == 4)
        || ((compression == kBiBitfields || compression == kBiAlphaBitfields) && (bits == 16 || bits == 32));
    if (!valid) {
        if (compression > kBiAlphaBitfields)
            return LoadError{LoadErrorKind::Malformed,
                             "compression " + std::to_string(compression) + " is not a BMP compression method"};
        return LoadError{LoadErrorKind::Malformed, "compression " + std::to_string(compression) + " is not valid at "
                                                       + std::to_string(bits) + " bits per pixel"};
    }
    if (compression == kBiRle8)
        encoding = Encoding::Rle8;
    else if (compression == kBiRle4)
        encoding = Encoding::Rle4;
    else if (compression == kBiRgb)
        encoding = Encoding::Uncompressed;
    else
        encoding = Encoding::Bitfields;
    return std::nullopt;
}

std::optional<LoadError> CheckMask(std::uint32_t mask, std::uint16_t bits)
{
    if (bits == 16 && mask > 0xffffu)
        return LoadError{LoadErrorKind::Malformed, "colour mask " + Hex(mask) + " does not fit in 16-bit pixels"};
    if (mask != 0) {
        const std::uint32_t run = mask >> std::countr_zero(mask);
        if ((run & (run + 1)) != 0)
            return LoadError{LoadErrorKind::Malformed, "colour mask " + Hex(mask) + " is not one run of bits"};
    }
    return std::nullopt;
}

// Where the info header sits and what its height counts.
enum class DibKind {
    File,  // a BMP file: the info header follows the 14-byte file header
    Icon,  // an icon or cursor image: the info header comes first and the
           // height counts the colour rows and the AND mask rows below them
};

// Reads and checks the info header and the colour masks, from `info` on in
// `data` (of `size` bytes in all), and gives the offset where the headers
// and masks end. Reads nothing beyond the headers' own bytes.
// With `decoding` the pixel-count limit of a decode is checked too.
std::optional<LoadError> ParseInfoHeader(std::span<const std::uint8_t> data, std::uint64_t size, std::size_t info,
                                         DibKind kind, bool decoding, Layout& layout, std::uint64_t& headersEnd)
{
    const bool icon = kind == DibKind::Icon;
    if (icon && size < 4)
        return LoadError{LoadErrorKind::Truncated, "icon image info header is cut short"};
    const std::uint32_t headerSize = ReadU32LE(data, info);
    if (!IsKnownHeaderSize(headerSize))
        return LoadError{LoadErrorKind::Malformed,
                         "header size " + std::to_string(headerSize) + " is not a BMP header size"};
    if (size < info + std::uint64_t{headerSize})
        return LoadError{LoadErrorKind::Truncated,
                         std::string(icon ? "icon image" : "BMP") + " info header is cut short"};

    const bool core = headerSize == kCoreHeaderSize;
    const bool os2 = headerSize == kOs2ShortHeaderSize || headerSize == kOs2HeaderSize;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bits = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;
    if (core) {
        const std::uint16_t coreWidth = ReadU16LE(data, info + kCoreWidthAt);
        const std::uint16_t coreHeight = ReadU16LE(data, info + kCoreHeightAt);
        width = coreWidth;
        height = coreHeight;
        planes = ReadU16LE(data, info + kCorePlanesAt);
        bits = ReadU16LE(data, info + kCoreBitCountAt);
    } else {
        const std::int32_t infoWidth = ReadI32(data, info + kWidthAt);
        const std::int32_t infoHeight = ReadI32(data, info + kHeightAt);
        width = infoWidth;
        height = infoHeight;
        planes = ReadU16LE(data, info + kPlanesAt);
        bits = ReadU16LE(data, info + kBitCountAt);
        if (headerSize >= kBmpInfoHeaderSize) {
            compression = ReadU32LE(data, info + kCompressionAt);
            clrUsed = ReadU32LE(data, info + kClrUsedAt);
            clrImportant = ReadU32LE(data, info + kClrImportantAt);
        }
    }

    if (planes != 1)
        return LoadError{LoadErrorKind::Malformed, "plane count " + std::to_string(planes) + " is not 1"};
    // Icon and cursor images are always stored uncompressed.
    if (icon && compression != kBiRgb)
        return LoadError{LoadErrorKind::Unsupported,
                         "compressed icon image (compression " + std::to_string(compression) + ") is not supported"};
    if (auto error = ChooseEncoding(compression, bits, os2, layout.encoding))
        return error;
    if (width <= 0)
        return LoadError{LoadErrorKind::Malformed, "width " + std::to_string(width) + " is not positive"};
    if (icon) {
        if (height <= 0 || height % 2 != 0)
            return LoadError{LoadErrorKind::Malformed, "icon image height " + std::to_string(height)
                                                           + " is not doubled for the AND mask rows"};
        height /= 2;
    }
    if (height == 0 || height == std::numeric_limits<std::int32_t>::min())
        return LoadError{LoadErrorKind::Malformed, "height " + std::to_string(height) + " is not a valid height"};
    layout.topDown = height < 0;
    const std::int64_t rows = layout.topDown ? -height : height;
    const std::string size2d = std::to_string(width) + " x " + std::to_string(rows);
    const std::int64_t sideLimit = icon ? kMaxIconSide : kMaxDimension;
    if (width > sideLimit || rows > sideLimit)
        return LoadError{LoadErrorKind::TooLarge, (icon ? "icon image size " : "picture size ") + size2d
                                                      + " is beyond the limit of " + std::to_string(sideLimit)
                                                      + " pixels a side"};
    if (decoding && static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(rows) > kMaxPixelCount)
        return LoadError{LoadErrorKind::TooLarge, "picture size " + size2d + " is beyond the limit of "
                                                      + std::to_string(kMaxPixelCount) + " pixels"};
    if (layout.topDown && (layout.encoding == Encoding::Rle8 || layout.encoding == Encoding::Rle4))
        return LoadError{LoadErrorKind::Malformed, "RLE-compressed BMP cannot have top-down rows"};
    layout.width = static_cast<std::int32_t>(width);
    layout.height = static_cast<std::int32_t>(rows);
    layout.bits = bits;
    layout.headerSize = headerSize;
    layout.compression = compression;
    layout.colorsUsed = clrUsed;
    layout.colorsImportant = clrImportant;

    // Masks follow a 40-byte header; longer headers carry them inside.
    headersEnd = info + std::uint64_t{headerSize};
    if (layout.encoding == Encoding::Bitfields) {
        if (headerSize == kBmpInfoHeaderSize) {
            headersEnd += compression == kBiAlphaBitfields ? 16 : 12;
            if (size < headersEnd)
                return LoadError{LoadErrorKind::Truncated, "BMP colour masks are cut short"};
        }
        const std::uint32_t red = ReadU32LE(data, info + kMasksAt);
        const std::uint32_t green = ReadU32LE(data, info + kMasksAt + 4);
        const std::uint32_t blue = ReadU32LE(data, info + kMasksAt + 8);
        layout.masks = {red, green, blue};
        for (const std::uint32_t mask : layout.masks)
            if (auto error = CheckMask(mask, bits))
                return error;
    } else if (bits == 16) {
        layout.masks = {0x7c00u, 0x03e0u, 0x001fu};
    } else if (bits == 32) {
        layout.masks = {0x00ff0000u, 0x0000ff00u, 0x000000ffu};
    }
    return std::nullopt;
}

// Places the colour table after the headers. A file's table ends where its
// pixel data offset says (layout.dataOffset, already checked); an icon
// image's pixels follow its table, so there the data offset is set here.
std::optional<LoadError> PlaceColorTable(std::uint64_t size, DibKind kind, std::uint64_t headersEnd, Layout& layout)
{
    const bool icon = kind == DibKind::Icon;
    const bool core = layout.headerSize == kCoreHeaderSize;
    const auto pastEnd = [icon] {
        return LoadError{LoadErrorKind::Truncated, icon ? "icon image colour table runs past the end of the image"
                                                        : "BMP colour table runs past the end of the file"};
    };
    layout.tableOffset = static_cast<std::size_t>(headersEnd);
    layout.tableEntrySize = core ? 3 : 4;
    std::uint64_t tableBytes = 0;
    // Direct-colour pictures may carry a table for display hints; the pixel
    // data skips it and nothing reads it.
    if (layout.bits <= 8) {
        const std::uint64_t fullTable = std::uint64_t{1} << layout.bits;
        std::uint64_t entries = fullTable;
        if (core && !icon) {
            // The core header has no entry count: the table fills the space up
            // to the pixels, at most 2^bits entries.
            entries = std::min<std::uint64_t>(fullTable, (layout.dataOffset - headersEnd) / 3);
        } else if (layout.colorsUsed > fullTable) {
            return LoadError{LoadErrorKind::Malformed, "palette size " + std::to_string(layout.colorsUsed)
                                                           + " is more than " + std::to_string(layout.bits)
                                                           + "-bit pixels can index"};
        } else if (layout.colorsUsed != 0) {
            entries = layout.colorsUsed;
        }
        tableBytes = entries * layout.tableEntrySize;
        layout.tableEntries = static_cast<std::size_t>(entries);
    } else if (icon) {
        tableBytes = std::uint64_t{layout.colorsUsed} * 4;
    }
    if (headersEnd + tableBytes > size)
        return pastEnd();
    if (icon)
        layout.dataOffset = static_cast<std::size_t>(headersEnd + tableBytes);
    return std::nullopt;
}

std::uint64_t RowBytes(std::int32_t width, std::uint16_t bits)
{
    return ((std::uint64_t(width) * bits + 31) / 32) * 4;
}

// Reads and checks the headers, the masks and the placement of the colour
// table and the pixel data. Reads nothing beyond the headers' own bytes, so
// `data` may be just the start of a file of fileSize bytes, as long as it
// holds min(fileSize, kHeaderBytes) bytes.
// With `decoding` the pixel-count limit of a decode is checked too, before
// anything about the data.
std::optional<LoadError> ParseHeaders(std::span<const std::uint8_t> data, std::uint64_t fileSize, Layout& layout,
                                      bool decoding)
{
    if (fileSize < 2 || data[0] != 'B' || data[1] != 'M')
        return LoadError{LoadErrorKind::Malformed, "not a BMP file: the signature is not \"BM\""};
    if (fileSize < kBmpFileHeaderSize + 4)
        return LoadError{LoadErrorKind::Truncated, "BMP file header is cut short"};

    const std::uint32_t dataOffset = ReadU32LE(data, kOffBitsAt);
    std::uint64_t headersEnd = 0;
    if (auto error = ParseInfoHeader(data, fileSize, kBmpFileHeaderSize, DibKind::File, decoding, layout, headersEnd))
        return error;

    if (dataOffset > fileSize)
        return LoadError{LoadErrorKind::Truncated, "BMP data offset is beyond the end of the file"};
    if (dataOffset < headersEnd)
        return LoadError{LoadErrorKind::Malformed,
                         "BMP data offset " + std::to_string(dataOffset) + " points into the headers"};
    layout.dataOffset = dataOffset;
    if (auto error = PlaceColorTable(fileSize, DibKind::File, headersEnd, layout))
        return error;

    if (layout.encoding == Encoding::Uncompressed || layout.encoding == Encoding::Bitfields) {
        const std::uint64_t needed = RowBytes(layout.width, layout.bits) * std::uint64_t(layout.height);
        if (needed > fileSize - dataOffset)
            return LoadError{LoadErrorKind::Truncated, "BMP pixel data is cut short: " + std::to_string(needed)
                                                           + " bytes needed, "
                                                           + std::to_string(fileSize - dataOffset) + " present"};
    }
    return std::nullopt;
}

// The same for the image of an icon or cursor: info header, colour table,
// colour rows, then the 1-bit AND mask rows (which only a 32-bit image,
// whose alpha says the same, may leave out).
std::optional<LoadError> ParseIconHeaders(std::span<const std::uint8_t> dib, Layout& layout)
{
    std::uint64_t headersEnd = 0;
    if (auto error = ParseInfoHeader(dib, dib.size(), 0, DibKind::Icon, true, layout, headersEnd))
        return error;
    if (auto error = PlaceColorTable(dib.size(), DibKind::Icon, headersEnd, layout))
        return error;
    const std::uint64_t present = dib.size() - layout.dataOffset;
    const std::uint64_t colourBytes = RowBytes(layout.width, layout.bits) * std::uint64_t(layout.height);
    if (colourBytes > present)
        return LoadError{LoadErrorKind::Truncated, "icon image colour rows are cut short: "
                                                       + std::to_string(colourBytes) + " bytes needed, "
                                                       + std::to_string(present) + " present"};
    const std::uint64_t maskBytes = RowBytes(layout.width, 1) * std::uint64_t(layout.height);
    layout.maskOffset = static_cast<std::size_t>(layout.dataOffset + colourBytes);
    layout.hasMask = maskBytes <= present - colourBytes;
    if (!layout.hasMask && layout.bits != 32)
        return LoadError{LoadErrorKind::Truncated, "icon image AND mask is cut short: " + std::to_string(maskBytes)
                                                       + " bytes needed, " + std::to_string(present - colourBytes)
                                                       + " present"};
    return std::nullopt;
}

std::vector<RgbQuad> ReadColorTable(std::span<const std::uint8_t> data, const Layout& layout)
{
    // A short table is filled with black so every index names an entry.
    std::vector<RgbQuad> table(std::size_t{1} << layout.bits);
    for (std::size_t i = 0; i < layout.tableEntries; ++i) {
        const std::size_t at = layout.tableOffset + i * layout.tableEntrySize;
        RgbQuad& entry = table[i];
        entry.blue = data[at];
        entry.green = data[at + 1];
        entry.red = data[at + 2];
        entry.reserved = layout.tableEntrySize == 4 ? data[at + 3] : 0;
    }
    return table;
}

// Row r of the file is row (height - 1 - r) of the picture unless top-down.
std::size_t PictureRow(const Layout& layout, std::size_t fileRow)
{
    return layout.topDown ? fileRow : static_cast<std::size_t>(layout.height) - 1 - fileRow;
}

void DecodeIndexedRows(std::span<const std::uint8_t> data, const Layout& layout, std::vector<std::uint8_t>& pixels)
{
    const std::size_t width = static_cast<std::size_t>(layout.width);
    const std::size_t rowSize = ((width * layout.bits + 31) / 32) * 4;
    const unsigned bits = layout.bits;
    const unsigned valueMask = (1u << bits) - 1;
    for (std::size_t fileRow = 0; fileRow < static_cast<std::size_t>(layout.height); ++fileRow) {
        const std::uint8_t* source = data.data() + layout.dataOffset + fileRow * rowSize;
        std::uint8_t* target = pixels.data() + PictureRow(layout, fileRow) * width;
        if (bits == 8) {
            std::memcpy(target, source, width);
            continue;
        }
        for (std::size_t x = 0; x < width; ++x) {
            const std::size_t bitPosition = x * bits;
            const unsigned shift = 8 - bits - static_cast<unsigned>(bitPosition % 8);
            target[x] = static_cast<std::uint8_t>((source[bitPosition / 8] >> shift) & valueMask);
        }
    }
}

void DecodeDirectRows(std::span<const std::uint8_t> data, const Layout& layout, std::vector<std::uint8_t>& pixels)
{
    const std::size_t width = static_cast<std::size_t>(layout.width);
    const std::size_t rowSize = ((width * layout.bits + 31) / 32) * 4;
    const Channel red = MakeChannel(layout.masks[0]);
    const Channel green = MakeChannel(layout.masks[1]);
    const Channel blue = MakeChannel(layout.masks[2]);
    for (std::size_t fileRow = 0; fileRow < static_cast<std::size_t>(layout.height); ++fileRow) {
        const std::uint8_t* source = data.data() + layout.dataOffset + fileRow * rowSize;
        std::uint8_t* target = pixels.data() + PictureRow(layout, fileRow) * width * 4;
        for (std::size_t x = 0; x < width; ++x, target += 4) {
            if (layout.bits == 24) {
                target[0] = source[x * 3];
                target[1] = source[x * 3 + 1];
                target[2] = source[x * 3 + 2];
                continue;
            }
            std::uint32_t pixel = 0;
            if (layout.bits == 16) {
                const std::uint32_t low = source[x * 2];
                const std::uint32_t high = source[x * 2 + 1];
                pixel = low | (high << 8);
            } else {
                pixel = ReadU32LE(data, layout.dataOffset + fileRow * rowSize + x * 4);
            }
            target[0] = blue.Scale(pixel);
            target[1] = green.Scale(pixel);
            target[2] = red.Scale(pixel);
        }
    }
}

// Both RLE variants: pairs of (count, value) runs, and escapes after a zero
// count: 0 end of line, 1 end of bitmap, 2 delta, 3..255 an absolute run
// padded to an even number of bytes. Every step consumes input, and every
// run and delta is checked against the row and the picture.
std::optional<LoadError> DecodeRle(std::span<const std::uint8_t> data, const Layout& layout,
                                   std::vector<std::uint8_t>& pixels)
{
    const bool rle4 = layout.encoding == Encoding::Rle4;
    const std::size_t width = static_cast<std::size_t>(layout.width);
    const std::size_t rows = static_cast<std::size_t>(layout.height);
    const std::size_t end = data.size();
    std::size_t at = layout.dataOffset;
    std::size_t x = 0;
    std::size_t y = 0;  // file row, bottom-up
    const auto pastLastRow = [] {
        return LoadError{LoadErrorKind::Malformed, "RLE data goes past the last row"};
    };
    const auto pastRowEnd = [&] {
        return LoadError{LoadErrorKind::Malformed, "RLE run goes past the end of row " + std::to_string(y)};
    };

    for (;;) {
        if (end - at < 2)
            return LoadError{LoadErrorKind::Truncated, "RLE data ends before the end-of-bitmap marker"};
        const std::uint8_t count = data[at];
        const std::uint8_t value = data[at + 1];
        at += 2;
        if (count > 0) {
            if (y >= rows)
                return pastLastRow();
            if (count > width - x)
                return pastRowEnd();
            std::uint8_t* target = pixels.data() + PictureRow(layout, y) * width + x;
            if (rle4) {
                const std::uint8_t high = static_cast<std::uint8_t>(value >> 4);
                const std::uint8_t low = static_cast<std::uint8_t>(value & 0x0f);
                for (std::size_t i = 0; i < count; ++i)
                    target[i] = (i % 2 == 0) ? high : low;
            } else {
                std::memset(target, value, count);
            }
            x += count;
            continue;
        }
        if (value == 0) {  // end of line
            if (y >= rows)
                return pastLastRow();
            ++y;
            x = 0;
        } else if (value == 1) {  // end of bitmap
            return std::nullopt;
        } else if (value == 2) {  // delta: move right and up
            if (end - at < 2)
                return LoadError{LoadErrorKind::Truncated, "RLE data ends inside a delta"};
            const std::uint8_t dx = data[at];
            const std::uint8_t dy = data[at + 1];
            at += 2;
            if (dx > width - x || dy > rows - std::min(y, rows))
                return LoadError{LoadErrorKind::Malformed, "RLE delta moves outside the picture"};
            x += dx;
            y += dy;
        } else {  // absolute run of `value` pixels
            const std::size_t length = value;
            const std::size_t bytes = rle4 ? (length + 1) / 2 : length;
            const std::size_t padded = bytes + (bytes % 2);
            if (y >= rows)
                return pastLastRow();
            if (length > width - x)
                return pastRowEnd();
            if (end - at < padded)
                return LoadError{LoadErrorKind::Truncated, "RLE data ends inside an absolute run"};
            std::uint8_t* target = pixels.data() + PictureRow(layout, y) * width + x;
            if (rle4) {
                for (std::size_t i = 0; i < length; ++i) {
                    const std::uint8_t packed = data[at + i / 2];
                    target[i] = static_cast<std::uint8_t>((i % 2 == 0) ? (packed >> 4) : (packed & 0x0f));
                }
            } else {
                std::memcpy(target, data.data() + at, length);
            }
            at += padded;
            x += length;
        }
    }
}

// The common case of an uncompressed 8-bit file whose rows need no padding
// (every logo): the rows are put in picture order inside the file's own
// buffer, which then becomes the picture's pixels. One allocation, no copy
// into a second buffer.
std::optional<LoadResult> DecodeUnpaddedIndexed8InPlace(std::vector<std::uint8_t>& bytes)
{
    Layout layout;
    if (ParseHeaders(bytes, bytes.size(), layout, true) || layout.encoding != Encoding::Uncompressed || layout.bits != 8)
        return std::nullopt;
    const std::size_t width = static_cast<std::size_t>(layout.width);
    const std::size_t height = static_cast<std::size_t>(layout.height);
    if (((width * 8 + 31) / 32) * 4 != width)
        return std::nullopt;

    Picture picture;
    picture.width = layout.width;
    picture.height = layout.height;
    picture.planes = 1;
    picture.bitsPerPixel = 8;
    picture.colorTable = ReadColorTable(bytes, layout);

    std::uint8_t* rows = bytes.data() + layout.dataOffset;
    if (!layout.topDown) {
        std::vector<std::uint8_t> spare(width);
        for (std::size_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
            std::memcpy(spare.data(), rows + top * width, width);
            std::memcpy(rows + top * width, rows + bottom * width, width);
            std::memcpy(rows + bottom * width, spare.data(), width);
        }
    }
    std::memmove(bytes.data(), rows, width * height);
    bytes.resize(width * height);
    picture.pixels = std::move(bytes);

    LoadResult result;
    result.picture = std::move(picture);
    return result;
}

BmpHeader ToHeader(const Layout& layout, std::uint64_t fileSize)
{
    BmpHeader header;
    header.headerSize = layout.headerSize;
    header.width = layout.width;
    header.height = layout.height;
    header.topDown = layout.topDown;
    header.bitsPerPixel = layout.bits;
    header.compression = layout.compression;
    header.colorsUsed = layout.colorsUsed;
    header.colorsImportant = layout.colorsImportant;
    header.dataOffset = static_cast<std::uint32_t>(layout.dataOffset);
    header.fileSize = fileSize;
    return header;
}

// Regular files only: a FIFO would block the open, a device never end.
// Checked before opening; what replaces the file in between is read as
// whatever it is, within the size limits.
std::optional<LoadError> CheckRegularFile(const std::string& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status))
        return LoadError{LoadErrorKind::Io, "cannot open " + path};
    if (std::filesystem::is_directory(status))
        return LoadError{LoadErrorKind::Io, path + " is a folder, not a file"};
    if (!std::filesystem::is_regular_file(status))
        return LoadError{LoadErrorKind::Io, path + " is not a regular file"};
    return std::nullopt;
}

using FileHandle = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// Opens a regular file unbuffered (one read straight into the caller's
// buffer, no stream buffer or locale set up per load) and gives its size.
std::optional<LoadError> OpenRegularFile(const std::string& path, FileHandle& file, std::uint64_t& size)
{
    if (auto error = CheckRegularFile(path))
        return error;
    file.reset(std::fopen(path.c_str(), "rb"));
    if (!file)
        return LoadError{LoadErrorKind::Io, "cannot open " + path};
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    if (std::fseek(file.get(), 0, SEEK_END) != 0)
        return LoadError{LoadErrorKind::Io, "cannot read " + path};
    const long end = std::ftell(file.get());
    if (end < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return LoadError{LoadErrorKind::Io, "cannot read " + path};
    size = static_cast<std::uint64_t>(end);
    return std::nullopt;
}

}  // namespace

HeaderResult ReadBmpHeader(std::span<const std::uint8_t> start, std::uint64_t fileSize)
{
    HeaderResult result;
    Layout layout;
    if (start.size() < std::min<std::uint64_t>(fileSize, kHeaderBytes)) {
        result.error = LoadError{LoadErrorKind::Truncated, "BMP headers are cut short"};
        return result;
    }
    if (auto error = ParseHeaders(start, fileSize, layout, false)) {
        result.error = std::move(*error);
        return result;
    }
    result.header = ToHeader(layout, fileSize);
    return result;
}

HeaderResult ReadBmpFileHeader(const std::string& path)
{
    HeaderResult result;
    FileHandle file(nullptr, &std::fclose);
    std::uint64_t size = 0;
    if (auto error = OpenRegularFile(path, file, size)) {
        result.error = std::move(*error);
        return result;
    }
    std::array<std::uint8_t, kHeaderBytes> start{};
    const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(size, start.size()));
    if (std::fread(start.data(), 1, wanted, file.get()) != wanted) {
        result.error = LoadError{LoadErrorKind::Io, "cannot read " + path};
        return result;
    }
    return ReadBmpHeader(std::span<const std::uint8_t>(start.data(), wanted), size);
}

LoadResult DecodeBmp(std::span<const std::uint8_t> data)
{
    Layout layout;
    if (auto error = ParseHeaders(data, data.size(), layout, true))
        return Fail(error->kind, std::move(error->reason));

    Picture picture;
    picture.width = layout.width;
    picture.height = layout.height;
    picture.planes = 1;
    picture.bitsPerPixel = layout.bits;
    const std::size_t pixelCount = static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.height);
    if (picture.IsIndexed()) {
        picture.colorTable = ReadColorTable(data, layout);
        if (layout.encoding == Encoding::Uncompressed) {
            // Every byte is overwritten by the rows.
            picture.pixels.resize(pixelCount);
            DecodeIndexedRows(data, layout, picture.pixels);
        } else {
            // Pixels an RLE stream skips keep index 0.
            picture.pixels.assign(pixelCount, 0);
            if (auto error = DecodeRle(data, layout, picture.pixels))
                return Fail(error->kind, std::move(error->reason));
        }
    } else {
        picture.pixels.assign(pixelCount * 4, 0);
        DecodeDirectRows(data, layout, picture.pixels);
    }

    LoadResult result;
    result.picture = std::move(picture);
    return result;
}

IconResult DecodeIconDib(std::span<const std::uint8_t> dib, std::int32_t entryWidth, std::int32_t entryHeight)
{
    IconResult result;
    Layout layout;
    if (auto error = ParseIconHeaders(dib, layout)) {
        result.error = std::move(*error);
        return result;
    }
    if (layout.width != entryWidth || layout.height != entryHeight) {
        result.error = LoadError{LoadErrorKind::Malformed,
                                 "icon image of " + std::to_string(layout.width) + " x " + std::to_string(layout.height)
                                     + " pixels where the directory says " + std::to_string(entryWidth) + " x "
                                     + std::to_string(entryHeight)};
        return result;
    }

    IconImage image;
    Picture& picture = image.picture;
    picture.width = layout.width;
    picture.height = layout.height;
    picture.planes = 1;
    picture.bitsPerPixel = layout.bits;
    const std::size_t width = static_cast<std::size_t>(layout.width);
    const std::size_t rows = static_cast<std::size_t>(layout.height);
    if (picture.IsIndexed()) {
        picture.colorTable = ReadColorTable(dib, layout);
        picture.pixels.resize(width * rows);
        DecodeIndexedRows(dib, layout, picture.pixels);
    } else {
        picture.pixels.assign(width * rows * 4, 0);
        DecodeDirectRows(dib, layout, picture.pixels);
    }
    if (layout.bits == 32) {
        // The fourth byte of each pixel, which a plain picture ignores.
        image.alpha.resize(width * rows);
        const std::uint64_t rowSize = RowBytes(layout.width, layout.bits);
        for (std::size_t fileRow = 0; fileRow < rows; ++fileRow) {
            const std::uint8_t* source = dib.data() + layout.dataOffset + fileRow * rowSize;
            std::uint8_t* target = image.alpha.data() + PictureRow(layout, fileRow) * width;
            for (std::size_t x = 0; x < width; ++x)
                target[x] = source[x * 4 + 3];
        }
    }
    if (layout.hasMask) {
        Layout mask = layout;
        mask.bits = 1;
        mask.dataOffset = layout.maskOffset;
        image.mask.resize(width * rows);
        DecodeIndexedRows(dib, mask, image.mask);
    }
    result.image = std::move(image);
    return result;
}

LoadResult LoadBmpFile(const std::string& path)
{
    FileHandle file(nullptr, &std::fclose);
    std::uint64_t size = 0;
    if (auto error = OpenRegularFile(path, file, size))
        return Fail(error->kind, std::move(error->reason));
    if (size > kMaxFileSize)
        return Fail(LoadErrorKind::TooLarge, path + " is larger than " + std::to_string(kMaxFileSize) + " bytes");

    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        return Fail(LoadErrorKind::Io, "cannot read " + path);
    if (auto decoded = DecodeUnpaddedIndexed8InPlace(bytes))
        return std::move(*decoded);
    return DecodeBmp(bytes);
}

}  // namespace logo
