#include "DecodedAnimation.h"

#include <gif_lib.h>
#include <png.h>
#include <webp/demux.h>

#include <cstring>

namespace export_testing {

namespace {

struct MemoryInput {
    const std::vector<std::uint8_t>* bytes;
    std::size_t at = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int length)
{
    auto* input = static_cast<MemoryInput*>(gif->UserData);
    const std::size_t left = input->bytes->size() - input->at;
    const std::size_t count = std::min(left, static_cast<std::size_t>(length));
    std::memcpy(buffer, input->bytes->data() + input->at, count);
    input->at += count;
    return static_cast<int>(count);
}

int LoopCountOf(const SavedImage& image)
{
    for (int i = 0; i + 1 < image.ExtensionBlockCount; ++i) {
        const ExtensionBlock& block = image.ExtensionBlocks[i];
        const ExtensionBlock& next = image.ExtensionBlocks[i + 1];
        if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11
            && std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0 && next.ByteCount == 3 && next.Bytes[0] == 1)
            return next.Bytes[1] | (next.Bytes[2] << 8);
    }
    return -1;
}

}  // namespace

DecodedGif DecodeGif(const std::vector<std::uint8_t>& bytes)
{
    DecodedGif decoded;
    MemoryInput input{&bytes};
    int error = 0;
    GifFileType* gif = DGifOpen(&input, ReadFromMemory, &error);
    if (!gif) {
        decoded.error = GifErrorString(error);
        return decoded;
    }
    if (DGifSlurp(gif) != GIF_OK) {
        decoded.error = GifErrorString(gif->Error);
        DGifCloseFile(gif, &error);
        return decoded;
    }
    decoded.width = gif->SWidth;
    decoded.height = gif->SHeight;
    logo::RgbImage canvas{decoded.width, decoded.height,
                          std::vector<std::uint8_t>(static_cast<std::size_t>(decoded.width) * decoded.height * 3)};
    for (int k = 0; k < gif->ImageCount; ++k) {
        const SavedImage& image = gif->SavedImages[k];
        const GifImageDesc& area = image.ImageDesc;
        const ColorMapObject* map = area.ColorMap ? area.ColorMap : gif->SColorMap;
        GraphicsControlBlock control{};
        DGifSavedExtensionToGCB(gif, k, &control);
        decoded.delays.push_back(control.DelayTime);
        decoded.disposals.push_back(control.DisposalMode);
        decoded.areas.push_back({area.Left, area.Top, area.Width, area.Height});
        decoded.localTableSizes.push_back(area.ColorMap ? area.ColorMap->ColorCount : 0);
        for (int y = 0; y < area.Height; ++y) {
            for (int x = 0; x < area.Width; ++x) {
                const GifPixelType index = image.RasterBits[static_cast<std::size_t>(y) * area.Width + x];
                const GifColorType colour = index < map->ColorCount ? map->Colors[index] : GifColorType{};
                std::uint8_t* pixel = canvas.rgb.data()
                    + (static_cast<std::size_t>(area.Top + y) * decoded.width + static_cast<std::size_t>(area.Left + x)) * 3;
                pixel[0] = colour.Red;
                pixel[1] = colour.Green;
                pixel[2] = colour.Blue;
            }
        }
        decoded.frames.push_back(canvas);
    }
    if (gif->ImageCount > 0)
        decoded.loopCount = LoopCountOf(gif->SavedImages[0]);
    DGifCloseFile(gif, &error);
    decoded.ok = true;
    return decoded;
}

DecodedWebp DecodeWebp(const std::vector<std::uint8_t>& bytes)
{
    DecodedWebp decoded;
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options))
        return decoded;
    options.color_mode = MODE_RGBA;
    options.use_threads = 0;
    const WebPData data{bytes.data(), bytes.size()};
    WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
    if (!decoder)
        return decoded;
    WebPAnimInfo info;
    if (WebPAnimDecoderGetInfo(decoder, &info)) {
        decoded.width = static_cast<int>(info.canvas_width);
        decoded.height = static_cast<int>(info.canvas_height);
        decoded.loopCount = static_cast<int>(info.loop_count);
        decoded.ok = true;
        while (WebPAnimDecoderHasMoreFrames(decoder)) {
            std::uint8_t* rgba = nullptr;
            int timestamp = 0;
            if (!WebPAnimDecoderGetNext(decoder, &rgba, &timestamp)) {
                decoded.ok = false;
                break;
            }
            logo::RgbImage frame{decoded.width, decoded.height, {}};
            const std::size_t pixels = static_cast<std::size_t>(decoded.width) * decoded.height;
            frame.rgb.resize(pixels * 3);
            for (std::size_t i = 0; i < pixels; ++i)
                std::memcpy(frame.rgb.data() + i * 3, rgba + i * 4, 3);
            decoded.frames.push_back(std::move(frame));
            decoded.timestamps.push_back(timestamp);
        }
    }
    WebPAnimDecoderDelete(decoder);
    return decoded;
}

namespace {

// libpng's simplified reader in the format asked for; false for no PNG.
bool ReadPng(const std::vector<std::uint8_t>& bytes, png_uint_32 format, int& width, int& height,
             std::vector<std::uint8_t>& pixels)
{
    png_image description{};
    description.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&description, bytes.data(), bytes.size()))
        return false;
    description.format = format;
    width = static_cast<int>(description.width);
    height = static_cast<int>(description.height);
    pixels.resize(PNG_IMAGE_SIZE(description));
    if (!png_image_finish_read(&description, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&description);
        return false;
    }
    return true;
}

}  // namespace

logo::RgbImage DecodePng(const std::vector<std::uint8_t>& bytes)
{
    logo::RgbImage image;
    if (!ReadPng(bytes, PNG_FORMAT_RGB, image.width, image.height, image.rgb))
        return {};
    return image;
}

logo::RgbaImage DecodePngRgba(const std::vector<std::uint8_t>& bytes)
{
    logo::RgbaImage image;
    if (!ReadPng(bytes, PNG_FORMAT_RGBA, image.width, image.height, image.rgba))
        return {};
    return image;
}

}  // namespace export_testing
