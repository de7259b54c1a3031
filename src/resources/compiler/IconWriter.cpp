#include "resources/compiler/IconWriter.h"

#include "resources/compiler/BmpWriter.h"
#include "resources/compiler/ByteWriter.h"

#include "logo/BmpLayout.h"

#include <stdexcept>

namespace res::rc {

namespace {

constexpr std::uint16_t kTypeIcon = 1;
constexpr std::uint16_t kTypeCursor = 2;
constexpr std::uint32_t kDirHeaderSize = 6;
constexpr std::uint32_t kDirEntrySize = 16;
constexpr std::int32_t kCursorSize = 32;

// One image as stored in the file: info header (height doubled), colour
// table, colour bits, mask bits.
std::vector<std::uint8_t> EncodeImage(const logo::Picture& picture, const std::vector<bool>& mask)
{
    if (mask.size() != picture.pixels.size())
        throw std::invalid_argument("mask and picture differ in size");
    const std::vector<std::uint8_t> colourBits = PackRowsBottomUp(picture);
    const std::vector<std::uint8_t> maskBits = PackMaskBottomUp(mask, picture.width, picture.height);
    ByteWriter out;
    WriteInfoHeader(out, picture.width, picture.height * 2, picture.bitsPerPixel,
                    static_cast<std::uint32_t>(colourBits.size() + maskBits.size()), 0);
    for (const logo::RgbQuad& entry : picture.colorTable) {
        out.U8(entry.blue);
        out.U8(entry.green);
        out.U8(entry.red);
        out.U8(0);
    }
    out.Append(colourBits);
    out.Append(maskBits);
    return out.Take();
}

// ICONDIR: idReserved, idType, idCount; then one 16-byte entry per image.
// Icons keep planes and bit count in the entry; cursors keep the hot spot there.
struct DirectoryEntry {
    std::uint8_t width;
    std::uint8_t height;
    std::uint8_t colorCount;
    std::uint16_t field4;  // icon: planes; cursor: hot spot x
    std::uint16_t field6;  // icon: bits per pixel; cursor: hot spot y
};

std::vector<std::uint8_t> WriteDirectory(std::uint16_t type, std::span<const DirectoryEntry> entries,
                                         std::span<const std::vector<std::uint8_t>> images)
{
    ByteWriter out;
    out.U16(0);     // idReserved
    out.U16(type);  // idType
    out.U16(static_cast<std::uint16_t>(entries.size()));  // idCount
    std::uint32_t offset = kDirHeaderSize + kDirEntrySize * static_cast<std::uint32_t>(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        out.U8(entries[i].width);       // bWidth
        out.U8(entries[i].height);      // bHeight
        out.U8(entries[i].colorCount);  // bColorCount (0 for 256 colours or more)
        out.U8(0);                      // bReserved
        out.U16(entries[i].field4);     // wPlanes / xHotspot
        out.U16(entries[i].field6);     // wBitCount / yHotspot
        out.U32(static_cast<std::uint32_t>(images[i].size()));  // dwBytesInRes
        out.U32(offset);                // dwImageOffset
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const std::vector<std::uint8_t>& image : images)
        out.Append(image);
    return out.Take();
}

}  // namespace

std::vector<std::uint8_t> EncodeIcon(std::span<const IconImage> images)
{
    std::vector<DirectoryEntry> entries;
    std::vector<std::vector<std::uint8_t>> encoded;
    for (const IconImage& image : images) {
        const logo::Picture& picture = image.picture;
        if (picture.width <= 0 || picture.width > 256 || picture.height <= 0 || picture.height > 256)
            throw std::invalid_argument("icon images are 1 to 256 pixels square");
        const std::uint8_t colours = picture.bitsPerPixel < 8 ? static_cast<std::uint8_t>(1u << picture.bitsPerPixel) : 0;
        entries.push_back({static_cast<std::uint8_t>(picture.width & 0xFF),
                           static_cast<std::uint8_t>(picture.height & 0xFF), colours, 1, picture.bitsPerPixel});
        encoded.push_back(EncodeImage(picture, image.mask));
    }
    return WriteDirectory(kTypeIcon, entries, encoded);
}

std::vector<std::uint8_t> EncodeCursor(const CursorArt& art)
{
    if (art.rows.size() != kCursorSize)
        throw std::invalid_argument("cursors are 32 x 32");
    if (art.hotX >= kCursorSize || art.hotY >= kCursorSize)
        throw std::invalid_argument("cursor hot spot outside the picture");

    // Colour 0 black, colour 1 white; the mask makes '.' transparent.
    logo::Picture picture;
    picture.width = kCursorSize;
    picture.height = kCursorSize;
    picture.bitsPerPixel = 1;
    picture.colorTable = {logo::RgbQuad{0, 0, 0, 0}, logo::RgbQuad{255, 255, 255, 0}};
    picture.pixels.assign(kCursorSize * kCursorSize, 0);
    std::vector<bool> mask(kCursorSize * kCursorSize, false);
    for (std::size_t y = 0; y < art.rows.size(); ++y) {
        if (art.rows[y].size() != kCursorSize)
            throw std::invalid_argument("cursors are 32 x 32");
        for (std::size_t x = 0; x < kCursorSize; ++x) {
            const std::size_t at = y * kCursorSize + x;
            switch (art.rows[y][x]) {
            case '.': mask[at] = true; break;
            case '#': break;
            case 'w': picture.pixels[at] = 1; break;
            default: throw std::invalid_argument("cursor art uses characters other than '.', '#' and 'w'");
            }
        }
    }
    const std::vector<std::uint8_t> image = EncodeImage(picture, mask);
    const DirectoryEntry entry{kCursorSize, kCursorSize, 0, art.hotX, art.hotY};
    return WriteDirectory(kTypeCursor, std::span(&entry, 1), std::span(&image, 1));
}

}  // namespace res::rc
