// The Win32 build has no libwebp (Debian builds it for Linux only): the WebP
// export refuses with a reason the export prompt shows.

#include "export/WebpExport.h"

namespace exporting {

namespace {

constexpr const char* kWebpUnavailable = "exporting as WebP is not available in this build of Lumivane";

}  // namespace

std::vector<std::uint8_t> EncodeWebp(const AnimationFrames& /*frames*/, std::string& error)
{
    error = kWebpUnavailable;
    return {};
}

ExportResult ExportWebp(const std::string& /*path*/, const AnimationFrames& /*frames*/)
{
    return ExportResult::Failed(kWebpUnavailable);
}

}  // namespace exporting
