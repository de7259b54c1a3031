#include "export/PngExport.h"

#include "export/AtomicFile.h"

#include <png.h>

namespace exporting {

std::vector<std::uint8_t> EncodePng(const logo::RgbImage& image, std::string& error)
{
    if (image.width <= 0 || image.height <= 0
        || image.rgb.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
        error = "nothing to export";
        return {};
    }
    png_image description{};
    description.version = PNG_IMAGE_VERSION;
    description.width = static_cast<png_uint_32>(image.width);
    description.height = static_cast<png_uint_32>(image.height);
    description.format = PNG_FORMAT_RGB;
    const png_int_32 stride = image.width * 3;

    // First the size, then the bytes.
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&description, nullptr, &size, 0, image.rgb.data(), stride, nullptr)) {
        error = std::string("the PNG encoder failed: ") + description.message;
        png_image_free(&description);
        return {};
    }
    std::vector<std::uint8_t> bytes(size);
    if (!png_image_write_to_memory(&description, bytes.data(), &size, 0, image.rgb.data(), stride, nullptr)) {
        error = std::string("the PNG encoder failed: ") + description.message;
        png_image_free(&description);
        return {};
    }
    bytes.resize(size);
    return bytes;
}

ExportResult ExportPng(const std::string& path, const logo::RgbImage& image)
{
    std::string error;
    const std::vector<std::uint8_t> bytes = EncodePng(image, error);
    if (bytes.empty())
        return ExportResult::Failed(error);
    return WriteFileAtomically(path, bytes);
}

}  // namespace exporting
