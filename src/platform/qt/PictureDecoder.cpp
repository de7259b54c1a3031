// Decoding through Qt's image readers and colour spaces; the format plugins
// (WebP, TIFF) come with the image-formats package.

#include "platform/ui/PictureDecoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QColorSpace>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>

namespace platform {

namespace {

constexpr std::uint64_t kBytesPerPixel = 4;
// What Qt may decode into before our conversion: up to four 32-bit floats a
// pixel (a floating-point TIFF), so a picture within the cap is never cut off.
constexpr std::uint64_t kWidestDecodedPixel = 16;
constexpr std::uint64_t kMegabyte = 1024 * 1024;

DecodedPicture Failure(PictureError error, std::string reason)
{
    DecodedPicture failed;
    failed.error = error;
    failed.reason = std::move(reason);
    return failed;
}

DecodedPicture TooLarge(std::uint64_t width, std::uint64_t height, std::uint64_t maxPixels)
{
    return Failure(PictureError::TooLarge, "the picture is " + std::to_string(width) + " x " + std::to_string(height)
                                               + " pixels, more than the " + std::to_string(maxPixels / 1'000'000)
                                               + " megapixels a picture may have");
}

DecodedPicture ReadFailure(const QImageReader& reader)
{
    switch (reader.error()) {
    case QImageReader::FileNotFoundError:
        return Failure(PictureError::Unreadable, "the file cannot be opened");
    case QImageReader::DeviceError:
        return Failure(PictureError::Unreadable, "the file cannot be read");
    case QImageReader::UnsupportedFormatError:
        return Failure(PictureError::Unsupported,
                       "the file is not a picture in a format Lumivane reads (PNG, JPEG, GIF, WebP, TIFF or BMP)");
    default:
        return Failure(PictureError::Malformed, "the picture's data is damaged or incomplete");
    }
}

bool Exceeds(std::uint64_t width, std::uint64_t height, std::uint64_t maxPixels)
{
    return width != 0 && height > maxPixels / width;
}

logo::RgbaImage ToRgba(const QImage& image)
{
    logo::RgbaImage rgba;
    rgba.width = image.width();
    rgba.height = image.height();
    const std::size_t rowBytes = static_cast<std::size_t>(rgba.width) * kBytesPerPixel;
    rgba.rgba.resize(rowBytes * static_cast<std::size_t>(rgba.height));
    for (int y = 0; y < rgba.height; ++y)
        std::memcpy(rgba.rgba.data() + rowBytes * static_cast<std::size_t>(y), image.constScanLine(y), rowBytes);
    return rgba;
}

DecodedPicture Decode(QImageReader& reader, std::uint64_t maxPixels)
{
    reader.setAutoTransform(true);
    // A logo named .sys is a BMP: trust the bytes, not the name.
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead())
        return ReadFailure(reader);

    // The header's size, before any pixel is allocated.
    const QSize claimed = reader.size();
    if (claimed.isValid() && Exceeds(static_cast<std::uint64_t>(claimed.width()),
                                     static_cast<std::uint64_t>(claimed.height()), maxPixels))
        return TooLarge(static_cast<std::uint64_t>(claimed.width()), static_cast<std::uint64_t>(claimed.height()),
                        maxPixels);
    // For readers that cannot tell the size beforehand, Qt's own limit holds
    // the allocation to what the cap allows.
    const std::uint64_t limit =
        std::max<std::uint64_t>(1, (maxPixels * kWidestDecodedPixel + kMegabyte - 1) / kMegabyte);
    reader.setAllocationLimit(static_cast<int>(std::min<std::uint64_t>(limit, 1U << 30)));

    QImage image;
    if (!reader.read(&image) || image.isNull())
        return ReadFailure(reader);
    if (Exceeds(static_cast<std::uint64_t>(image.width()), static_cast<std::uint64_t>(image.height()), maxPixels))
        return TooLarge(static_cast<std::uint64_t>(image.width()), static_cast<std::uint64_t>(image.height()),
                        maxPixels);

    image.convertTo(QImage::Format_ARGB32);
    const QColorSpace space = image.colorSpace();
    if (space.isValid() && space != QColorSpace(QColorSpace::SRgb))
        image.convertToColorSpace(QColorSpace::SRgb);
    image.convertTo(QImage::Format_RGBA8888);
    if (image.isNull())
        return Failure(PictureError::TooLarge, "there is not enough memory for the picture");

    DecodedPicture decoded;
    decoded.picture = ToRgba(image);
    return decoded;
}

}  // namespace

DecodedPicture DecodePictureFile(const std::string& path, std::uint64_t maxPixels)
{
    // Opening a FIFO would wait for a writer; a folder has no picture.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status))
        return Failure(PictureError::Unreadable, "the file cannot be opened");
    if (!std::filesystem::is_regular_file(status))
        return Failure(PictureError::Unreadable, "the file is not a regular file");
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return Failure(PictureError::Unreadable, "the file cannot be opened");
    QImageReader reader(&file);
    return Decode(reader, maxPixels);
}

DecodedPicture DecodePictureData(const std::uint8_t* data, std::size_t size, std::uint64_t maxPixels)
{
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return Failure(PictureError::TooLarge, "the file is too large to be a picture Lumivane reads");
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return Decode(reader, maxPixels);
}

}  // namespace platform
