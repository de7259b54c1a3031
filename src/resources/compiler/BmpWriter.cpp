#include "resources/compiler/BmpWriter.h"

#include "resources/compiler/ByteWriter.h"

#include "logo/BmpLayout.h"

#include <stdexcept>

namespace res::rc {

namespace {

std::size_t Stride(std::int32_t width, std::uint16_t bitsPerPixel)
{
    return ((static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

}  // namespace

void WriteInfoHeader(ByteWriter& out, std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel,
                     std::uint32_t imageSize, std::uint32_t colorsUsed)
{
    out.U32(logo::kBmpInfoHeaderSize);  // biSize
    out.I32(width);            // biWidth
    out.I32(height);           // biHeight, positive: rows bottom-up
    out.U16(1);                // biPlanes
    out.U16(bitsPerPixel);     // biBitCount
    out.U32(0);                // biCompression: BI_RGB
    out.U32(imageSize);        // biSizeImage
    out.I32(0);                // biXPelsPerMeter
    out.I32(0);                // biYPelsPerMeter
    out.U32(colorsUsed);       // biClrUsed
    out.U32(0);                // biClrImportant
}

std::vector<std::uint8_t> PackRowsBottomUp(const logo::Picture& picture)
{
    const std::uint16_t bits = picture.bitsPerPixel;
    if (!picture.IsIndexed() || (bits != 1 && bits != 4 && bits != 8))
        throw std::invalid_argument("only 1, 4 and 8-bit indexed pictures are written");
    const std::size_t stride = Stride(picture.width, bits);
    std::vector<std::uint8_t> rows(stride * static_cast<std::size_t>(picture.height), 0);
    const int perByte = 8 / bits;
    for (std::int32_t y = 0; y < picture.height; ++y) {
        std::uint8_t* row = rows.data() + static_cast<std::size_t>(picture.height - 1 - y) * stride;
        for (std::int32_t x = 0; x < picture.width; ++x) {
            const std::uint8_t index
                = picture.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width)
                                 + static_cast<std::size_t>(x)];
            if ((index >> bits) != 0)
                throw std::invalid_argument("pixel index does not fit the picture's depth");
            // The leftmost pixel takes the most significant bits of its byte.
            const int shift = (perByte - 1 - x % perByte) * bits;
            row[x / perByte] = static_cast<std::uint8_t>(row[x / perByte] | (index << shift));
        }
    }
    return rows;
}

std::vector<std::uint8_t> PackMaskBottomUp(const std::vector<bool>& mask, std::int32_t width, std::int32_t height)
{
    const std::size_t stride = Stride(width, 1);
    std::vector<std::uint8_t> rows(stride * static_cast<std::size_t>(height), 0);
    for (std::int32_t y = 0; y < height; ++y) {
        std::uint8_t* row = rows.data() + static_cast<std::size_t>(height - 1 - y) * stride;
        for (std::int32_t x = 0; x < width; ++x) {
            if (mask[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)])
                row[x / 8] = static_cast<std::uint8_t>(row[x / 8] | (0x80 >> (x % 8)));
        }
    }
    return rows;
}

std::vector<std::uint8_t> EncodeBmp(const logo::Picture& picture)
{
    const std::vector<std::uint8_t> rows = PackRowsBottomUp(picture);
    const auto tableBytes = static_cast<std::uint32_t>(picture.colorTable.size() * 4);
    const std::uint32_t offBits = logo::kBmpFileHeaderSize + logo::kBmpInfoHeaderSize + tableBytes;
    const auto fileSize = static_cast<std::uint32_t>(offBits + rows.size());

    ByteWriter out;
    out.U8('B');        // bfType
    out.U8('M');
    out.U32(fileSize);  // bfSize
    out.U16(0);         // bfReserved1
    out.U16(0);         // bfReserved2
    out.U32(offBits);   // bfOffBits
    WriteInfoHeader(out, picture.width, picture.height, picture.bitsPerPixel, static_cast<std::uint32_t>(rows.size()),
                    static_cast<std::uint32_t>(picture.colorTable.size()));
    for (const logo::RgbQuad& entry : picture.colorTable) {
        out.U8(entry.blue);
        out.U8(entry.green);
        out.U8(entry.red);
        out.U8(0);
    }
    out.Append(rows);
    return out.Take();
}

}  // namespace res::rc
