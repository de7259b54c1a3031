#include "slots/InstallLogo.h"

#include "slots/RewriteAsLogoFile.h"

#include "logo/BmpReader.h"
#include "logo/LogoFile.h"
#include "platform/files/FileApi.h"
#include "platform/files/ScratchFile.h"

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
    return logo::HasLogoShape(header) && !logo::HasExactLogoLayout(header);
}

// A target inside a disk image has no host file to rewrite in place: the
// rewrite goes to a host file of ours first and is copied in from there.
bool RewriteInto(const std::string& sourceHostPath, const std::string& target)
{
    if (platform::HostPathIsTheFile(target)) {
        const auto targetHost = platform::ResolveHostPath(target);
        return targetHost && RewriteAsLogoFile(sourceHostPath, *targetHost);
    }
    const platform::ScratchFile scratch("LOGO.SYS");
    return scratch.IsReady() && RewriteAsLogoFile(sourceHostPath, scratch.Path())
        && platform::CopyFileA(scratch.Path(), target, FALSE) != FALSE;
}

}  // namespace

bool InstallLogo(const std::string& source, const std::string& target)
{
    const auto sourceHost = platform::ResolveHostPath(source);
    if (!sourceHost)
        return false;
    if (NeedsRewrite(*sourceHost))
        return RewriteInto(*sourceHost, target);
    // The system file chosen as its own source already holds what is asked
    // for; the copy would only refuse to overwrite itself. (A new file
    // inside an image has no host path yet.)
    const auto targetHost = platform::ResolveHostPath(target);
    if (targetHost && SameHostFile(*sourceHost, *targetHost))
        return true;
    if (!targetHost && platform::HostPathIsTheFile(target))
        return false;
    return platform::CopyFileA(source, target, FALSE) != FALSE;
}
