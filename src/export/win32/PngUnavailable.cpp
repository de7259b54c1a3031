// The Win32 build has no libpng (Debian builds it for Linux only): the PNG
// export refuses with a reason the export prompt shows.

#include "export/PngExport.h"

namespace exporting {

namespace {

constexpr const char* kPngUnavailable = "exporting as PNG is not available in this build of Lumivane";

}  // namespace

std::vector<std::uint8_t> EncodePng(const logo::RgbImage& /*image*/, std::string& error)
{
    error = kPngUnavailable;
    return {};
}

std::vector<std::uint8_t> EncodeIndexedPng(int /*width*/, int /*height*/, std::span<const std::uint8_t> /*indices*/,
                                           const logo::ColorTable& /*table*/, std::string& error,
                                           int /*transparentIndex*/)
{
    error = kPngUnavailable;
    return {};
}

ExportResult ExportPng(const std::string& /*path*/, const logo::RgbImage& /*image*/)
{
    return ExportResult::Failed(kPngUnavailable);
}

}  // namespace exporting
