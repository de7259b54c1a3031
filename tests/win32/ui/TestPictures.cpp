#include "TestPictures.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <algorithm>

namespace lumivane::test {

namespace {

void Append(void* context, void* data, int size)
{
    auto* out = static_cast<Bytes*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

void PutBigEndian16(Bytes& out, unsigned value)
{
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void Put16(Bytes& out, unsigned value, bool bigEndian)
{
    if (bigEndian) {
        PutBigEndian16(out, value);
        return;
    }
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(Bytes& out, std::uint32_t value, bool bigEndian)
{
    Put16(out, bigEndian ? value >> 16 : value & 0xFFFF, bigEndian);
    Put16(out, bigEndian ? value & 0xFFFF : value >> 16, bigEndian);
}

void PutLittle32(Bytes& out, std::uint32_t value)
{
    Put32(out, value, false);
}

}  // namespace

TestRgba Gradient(int width, int height)
{
    TestRgba picture{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.rgba.push_back(static_cast<std::uint8_t>(x * 40));
            picture.rgba.push_back(static_cast<std::uint8_t>(y * 40));
            picture.rgba.push_back(static_cast<std::uint8_t>(200 - x - y));
            picture.rgba.push_back(static_cast<std::uint8_t>(255 - x * 10));
        }
    }
    return picture;
}

TestRgba Quadrants(int width, int height)
{
    TestRgba picture{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            const std::uint8_t r = (!bottom && !right) || (bottom && right) ? 255 : 0;
            const std::uint8_t g = (!bottom && right) || (bottom && right) ? 255 : 0;
            const std::uint8_t b = bottom ? 255 : 0;
            picture.rgba.insert(picture.rgba.end(), {r, g, b, 255});
        }
    }
    return picture;
}

Bytes EncodePng(const TestRgba& picture)
{
    Bytes out;
    stbi_write_png_to_func(Append, &out, picture.width, picture.height, 4, picture.rgba.data(), picture.width * 4);
    return out;
}

Bytes EncodeBmp(const TestRgba& picture)
{
    Bytes rgb;
    for (std::size_t i = 0; i < picture.rgba.size(); i += 4)
        rgb.insert(rgb.end(), picture.rgba.begin() + static_cast<std::ptrdiff_t>(i),
                   picture.rgba.begin() + static_cast<std::ptrdiff_t>(i) + 3);
    Bytes out;
    stbi_write_bmp_to_func(Append, &out, picture.width, picture.height, 3, rgb.data());
    return out;
}

Bytes EncodeJpeg(const TestRgba& picture, int quality)
{
    Bytes out;
    stbi_write_jpg_to_func(Append, &out, picture.width, picture.height, 4, picture.rgba.data(), quality);
    return out;
}

Bytes WithApp1(const Bytes& jpeg, const Bytes& payload)
{
    Bytes out(jpeg.begin(), jpeg.begin() + 2);  // FFD8
    out.push_back(0xFF);
    out.push_back(0xE1);
    PutBigEndian16(out, static_cast<unsigned>(payload.size() + 2));
    out.insert(out.end(), payload.begin(), payload.end());
    out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
    return out;
}

Bytes WithoutJpegSegments(const Bytes& jpeg, std::uint8_t marker)
{
    constexpr std::uint8_t kStartOfScan = 0xDA;
    Bytes out(jpeg.begin(), jpeg.begin() + 2);  // FFD8
    std::size_t at = 2;
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
        // The scan's data runs to the end-of-image marker, the file's last two bytes.
        const std::size_t length = jpeg[at + 1] == kStartOfScan ? jpeg.size() - 2 - at
                                                                : 2 + ((std::size_t{jpeg[at + 2]} << 8) | jpeg[at + 3]);
        if (jpeg[at + 1] != marker)
            out.insert(out.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(at),
                       jpeg.begin() + static_cast<std::ptrdiff_t>(at + length));
        at += length;
    }
    out.insert(out.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(at), jpeg.end());
    return out;
}

Bytes WithJpegFrameSize(const Bytes& jpeg, unsigned width, unsigned height)
{
    // SOF0 after its marker: length (2), precision, height (2), width (2).
    Bytes out = jpeg;
    for (std::size_t at = 0; at + 9 <= out.size(); ++at) {
        if (out[at] == 0xFF && out[at + 1] == 0xC0) {
            out[at + 5] = static_cast<std::uint8_t>(height >> 8);
            out[at + 6] = static_cast<std::uint8_t>(height);
            out[at + 7] = static_cast<std::uint8_t>(width >> 8);
            out[at + 8] = static_cast<std::uint8_t>(width);
            break;
        }
    }
    return out;
}

Bytes WithExifOrientation(const Bytes& jpeg, int orientation, bool bigEndian)
{
    Bytes exif = {'E', 'x', 'i', 'f', 0, 0};
    exif.push_back(bigEndian ? 'M' : 'I');
    exif.push_back(bigEndian ? 'M' : 'I');
    Put16(exif, 42, bigEndian);
    Put32(exif, 8, bigEndian);             // IFD0 right after the header
    Put16(exif, 2, bigEndian);             // two entries
    Put16(exif, 0x010F, bigEndian);        // Make, ASCII, 4 bytes in place
    Put16(exif, 2, bigEndian);
    Put32(exif, 4, bigEndian);
    exif.insert(exif.end(), {'c', 'a', 'm', 0});
    Put16(exif, 0x0112, bigEndian);        // Orientation, SHORT, one value
    Put16(exif, 3, bigEndian);
    Put32(exif, 1, bigEndian);
    Put16(exif, static_cast<unsigned>(orientation), bigEndian);
    Put16(exif, 0, bigEndian);
    Put32(exif, 0, bigEndian);             // no next directory
    return WithApp1(jpeg, exif);
}

namespace {

// An eight-bit BMP with a 40-byte header, its colour table (BGR0 entries)
// and its pixel data as given.
Bytes IndexedBmp(std::int32_t width, std::int32_t height, std::uint32_t compression, const Bytes& table,
                 const Bytes& pixels)
{
    const auto offset = static_cast<std::uint32_t>(14 + 40 + table.size());
    Bytes out = {'B', 'M'};
    PutLittle32(out, static_cast<std::uint32_t>(offset + pixels.size()));    // bfSize
    PutLittle32(out, 0);                                                      // bfReserved1/2
    PutLittle32(out, offset);                                                 // bfOffBits
    PutLittle32(out, 40);                                                     // biSize
    PutLittle32(out, static_cast<std::uint32_t>(width));                      // biWidth
    PutLittle32(out, static_cast<std::uint32_t>(height));                     // biHeight
    Put16(out, 1, false);                                                     // biPlanes
    Put16(out, 8, false);                                                     // biBitCount
    PutLittle32(out, compression);                                            // biCompression
    PutLittle32(out, static_cast<std::uint32_t>(pixels.size()));              // biSizeImage
    PutLittle32(out, 2835);                                                   // biXPelsPerMeter
    PutLittle32(out, 2835);                                                   // biYPelsPerMeter
    PutLittle32(out, static_cast<std::uint32_t>(table.size() / 4));           // biClrUsed
    PutLittle32(out, 0);                                                      // biClrImportant
    out.insert(out.end(), table.begin(), table.end());
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

}  // namespace

Bytes RleBmp()
{
    const Bytes pixels = {
        0x02, 0x00, 0x00, 0x00,  // bottom row: two of index 0, end of line
        0x02, 0x01, 0x00, 0x01,  // top row: two of index 1, end of bitmap
    };
    return IndexedBmp(2, 2, 1 /* RLE8 */, {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00},  // red, blue
                      pixels);
}

Bytes ShortTableBmp()
{
    return IndexedBmp(2, 1, 0 /* BI_RGB */, {0x00, 0x00, 0xFF, 0x00},  // red
                      {0x00, 200, 0x00, 0x00});                         // one row, padded to 4 bytes
}

namespace {

// A GIF89a of a width x height screen whose global table holds red (0) and
// blue (1), then the blocks given and the trailer.
Bytes RedBlueGif(std::uint8_t width, std::uint8_t height, const Bytes& blocks)
{
    const Bytes start = {'G', 'I', 'F', '8', '9', 'a', width, 0x00, height, 0x00,
                         0x80, 0x00, 0x00,   // a global table of two entries
                         0xFF, 0x00, 0x00,   // 0: red
                         0x00, 0x00, 0xFF};  // 1: blue
    Bytes out(start.size() + blocks.size() + 1, 0x3B);  // ends with the trailer
    std::copy(start.begin(), start.end(), out.begin());
    std::copy(blocks.begin(), blocks.end(), out.begin() + static_cast<std::ptrdiff_t>(start.size()));
    return out;
}

}  // namespace

Bytes TwoFrameGif()
{
    // 3-bit LZW codes, least significant bit first: clear (4), the index,
    // end (5). Index 0 packs into 44 01, index 1 into 4C 01.
    return RedBlueGif(1, 1, {
        0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x00,  // first frame
        0x02, 0x02, 0x44, 0x01, 0x00,
        0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x00,  // second frame
        0x02, 0x02, 0x4C, 0x01, 0x00,
    });
}

Bytes TransparentGif()
{
    // 3-bit codes clear (4), 0, 1, end (5) pack into 44 0A.
    return RedBlueGif(2, 1, {
        0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x01, 0x00,  // graphic control: index 1 transparent
        0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0x00,              // the image, 2 x 1
        0x02, 0x02, 0x44, 0x0A, 0x00,
    });
}

Bytes PngHeaderOnly(std::uint32_t width, std::uint32_t height)
{
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Put32(out, 13, true);
    out.insert(out.end(), {'I', 'H', 'D', 'R'});
    Put32(out, width, true);
    Put32(out, height, true);
    out.insert(out.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, no interlace
    Put32(out, 0, true);                     // CRC (the header reader does not check it)
    return out;
}

}  // namespace lumivane::test
