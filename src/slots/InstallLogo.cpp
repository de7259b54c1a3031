#include "slots/InstallLogo.h"

#include "slots/RewriteAsLogoFile.h"

#include "logo/BmpReader.h"
#include "logo/LogoFile.h"
#include "platform/files/FileApi.h"

#include <filesystem>

namespace {

bool SameHostFile(const std::string& first, const std::string& second)
{
    std::error_code error;
    return std::filesystem::equivalent(first, second, error) && !error;
}

// Only a logo picture in another BMP variant is worth rewriting; anything
// else (a default picture may be any bitmap, or not one at all) is copied
// as it is, as Apply has always done.
bool NeedsRewrite(const std::string& sourceHostPath)
{
    const logo::HeaderResult read = logo::ReadBmpFileHeader(sourceHostPath);
    if (!read)
        return false;
    const logo::BmpHeader& header = *read.header;
    return header.width == logo::kLogoWidth && header.height == logo::kLogoHeight
        && header.bitsPerPixel == logo::kLogoBits && !logo::HasExactLogoLayout(header);
}

}  // namespace

bool InstallLogo(const std::string& source, const std::string& target)
{
    const auto sourceHost = platform::ResolveHostPath(source);
    const auto targetHost = platform::ResolveHostPath(target);
    if (!sourceHost || !targetHost)
        return false;
    if (NeedsRewrite(*sourceHost))
        return RewriteAsLogoFile(*sourceHost, *targetHost);
    // The system file chosen as its own source already holds what is asked
    // for; the copy would only refuse to overwrite itself.
    if (SameHostFile(*sourceHost, *targetHost))
        return true;
    return platform::CopyFileA(source, target, FALSE) != FALSE;
}
