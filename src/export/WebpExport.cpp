#include "export/WebpExport.h"

#include "export/AtomicFile.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <memory>

namespace exporting {

namespace {

struct EncoderDeleter {
    void operator()(WebPAnimEncoder* encoder) const { WebPAnimEncoderDelete(encoder); }
};

struct PictureFrame {
    WebPPicture picture{};
    PictureFrame() { WebPPictureInit(&picture); }
    ~PictureFrame() { WebPPictureFree(&picture); }
    PictureFrame(const PictureFrame&) = delete;
    PictureFrame& operator=(const PictureFrame&) = delete;
};

std::string EncoderError(WebPAnimEncoder* encoder)
{
    const char* text = WebPAnimEncoderGetError(encoder);
    return text && *text ? text : "unknown error";
}

}  // namespace

std::vector<std::uint8_t> EncodeWebp(const AnimationFrames& frames, std::string& error)
{
    if (frames.tables.empty() || frames.indices.size() != static_cast<std::size_t>(frames.width) * frames.height) {
        error = "nothing to export";
        return {};
    }
    WebPAnimEncoderOptions options;
    WebPConfig config;
    if (!WebPAnimEncoderOptionsInit(&options) || !WebPConfigInit(&config)) {
        error = "the WebP library does not match the version it was built against";
        return {};
    }
    options.anim_params.loop_count = 0;  // for ever
    // Frames differ only in the cycling pixels, so sub-frames beat key frames.
    options.kmax = 0;
    config.lossless = 1;
    config.exact = 1;
    // Palette pictures compress well at low effort; higher settings cost far
    // more time than they save bytes here.
    config.method = 1;
    config.quality = 25;

    const std::unique_ptr<WebPAnimEncoder, EncoderDeleter> encoder(
        WebPAnimEncoderNew(frames.width, frames.height, &options));
    if (!encoder) {
        error = "the WebP encoder could not start";
        return {};
    }
    int timestamp = 0;
    for (std::size_t k = 0; k < frames.tables.size(); ++k) {
        const logo::RgbImage image = FrameImage(frames, k);
        PictureFrame frame;
        frame.picture.use_argb = 1;
        frame.picture.width = image.width;
        frame.picture.height = image.height;
        if (!WebPPictureImportRGB(&frame.picture, image.rgb.data(), image.width * 3)
            || !WebPAnimEncoderAdd(encoder.get(), &frame.picture, timestamp, &config)) {
            error = "the WebP encoder failed: " + EncoderError(encoder.get());
            return {};
        }
        timestamp += frames.periodMilliseconds;
    }
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAdd(encoder.get(), nullptr, timestamp, nullptr)
        || !WebPAnimEncoderAssemble(encoder.get(), &data)) {
        error = "the WebP encoder failed: " + EncoderError(encoder.get());
        WebPDataClear(&data);
        return {};
    }
    std::vector<std::uint8_t> bytes(data.bytes, data.bytes + data.size);
    WebPDataClear(&data);
    return bytes;
}

ExportResult ExportWebp(const std::string& path, const AnimationFrames& frames)
{
    std::string error;
    const std::vector<std::uint8_t> bytes = EncodeWebp(frames, error);
    if (bytes.empty())
        return ExportResult::Failed(error);
    return WriteFileAtomically(path, bytes);
}

}  // namespace exporting
