#pragma once
// Pictures written by Qt for the decoder tests, and the byte surgery that
// gives them an EXIF orientation or a lying header.

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

inline std::vector<std::uint8_t> Encode(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return {bytes.begin(), bytes.end()};
}

// A width x height picture: the left half `left`, the right half `right`.
inline QImage TwoHalves(int width, int height, QRgb left, QRgb right)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, x < width / 2 ? left : right);
    return image;
}

// A JPEG with an APP1 EXIF segment holding only the orientation tag, placed
// right after the start-of-image marker.
inline std::vector<std::uint8_t> WithExifOrientation(std::vector<std::uint8_t> jpeg, std::uint16_t orientation)
{
    const std::vector<std::uint8_t> tiff = {
        'I', 'I', 42, 0, 8, 0, 0, 0,              // little-endian TIFF header, first IFD at 8
        1, 0,                                     // one entry
        0x12, 0x01, 3, 0, 1, 0, 0, 0,             // tag 0x0112 Orientation, SHORT, count 1
        static_cast<std::uint8_t>(orientation), static_cast<std::uint8_t>(orientation >> 8), 0, 0,
        0, 0, 0, 0,                               // no next IFD
    };
    std::vector<std::uint8_t> segment = {0xFF, 0xE1, 0, 0, 'E', 'x', 'i', 'f', 0, 0};
    segment.insert(segment.end(), tiff.begin(), tiff.end());
    const std::size_t length = segment.size() - 2;
    segment[2] = static_cast<std::uint8_t>(length >> 8);
    segment[3] = static_cast<std::uint8_t>(length);
    jpeg.insert(jpeg.begin() + 2, segment.begin(), segment.end());
    return jpeg;
}

// A PNG whose header claims width x height, with the (tiny) data of a
// 1 x 1 picture behind it; the header's checksum is made to match.
inline std::vector<std::uint8_t> PngClaimingSize(std::uint32_t width, std::uint32_t height)
{
    std::vector<std::uint8_t> png = Encode(QImage(1, 1, QImage::Format_RGB32), "png");
    const auto put = [&png](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            png[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
    };
    put(16, width);
    put(20, height);
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 12; i < 29; ++i) {  // "IHDR" and its 13 bytes
        crc ^= png[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    put(29, ~crc);
    return png;
}

}  // namespace testing_support
