// The Win32 build has no giflib (Debian builds it for Linux only): the GIF
// export refuses with a reason the export prompt shows.

#include "export/GifExport.h"

namespace exporting {

namespace {

constexpr const char* kGifUnavailable = "exporting as GIF is not available in this build of Lumivane";

}  // namespace

std::vector<std::uint8_t> EncodeGif(const AnimationFrames& /*frames*/, std::string& error)
{
    error = kGifUnavailable;
    return {};
}

ExportResult ExportGif(const std::string& /*path*/, const AnimationFrames& /*frames*/)
{
    return ExportResult::Failed(kGifUnavailable);
}

}  // namespace exporting
