#include "export/PngExport.h"

#include "export/AtomicFile.h"

#include <png.h>

#include <array>

namespace exporting {

namespace {

// libpng's simplified writer: first the size, then the bytes.
std::vector<std::uint8_t> WriteToMemory(png_image& description, const void* pixels, png_int_32 stride,
                                        const void* colormap, std::string& error)
{
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&description, nullptr, &size, 0, pixels, stride, colormap)) {
        error = std::string("the PNG encoder failed: ") + description.message;
        png_image_free(&description);
        return {};
    }
    std::vector<std::uint8_t> bytes(size);
    if (!png_image_write_to_memory(&description, bytes.data(), &size, 0, pixels, stride, colormap)) {
        error = std::string("the PNG encoder failed: ") + description.message;
        png_image_free(&description);
        return {};
    }
    bytes.resize(size);
    return bytes;
}

png_image Description(int width, int height, png_uint_32 format)
{
    png_image description{};
    description.version = PNG_IMAGE_VERSION;
    description.width = static_cast<png_uint_32>(width);
    description.height = static_cast<png_uint_32>(height);
    description.format = format;
    return description;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const logo::RgbImage& image, std::string& error)
{
    if (image.width <= 0 || image.height <= 0
        || image.rgb.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
        error = "nothing to export";
        return {};
    }
    png_image description = Description(image.width, image.height, PNG_FORMAT_RGB);
    return WriteToMemory(description, image.rgb.data(), image.width * 3, nullptr, error);
}

std::vector<std::uint8_t> EncodeIndexedPng(int width, int height, std::span<const std::uint8_t> indices,
                                           const logo::ColorTable& table, std::string& error, int transparentIndex)
{
    if (width <= 0 || height <= 0
        || indices.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        error = "nothing to export";
        return {};
    }
    std::array<std::uint8_t, 256 * 4> colormap{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        colormap[4 * i] = table[i].red;
        colormap[4 * i + 1] = table[i].green;
        colormap[4 * i + 2] = table[i].blue;
        colormap[4 * i + 3] = static_cast<int>(i) == transparentIndex ? 0 : 255;
    }
    png_image description = Description(width, height, PNG_FORMAT_RGBA_COLORMAP);
    description.colormap_entries = 256;
    return WriteToMemory(description, indices.data(), width, colormap.data(), error);
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
