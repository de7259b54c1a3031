#include "InstallLogo.h"

#include "RewriteAsLogoFile.h"

#include "logo/LogoFile.h"
#include "platform/fs/FileApi.h"

#include <filesystem>

namespace {

bool SameHostFile(const std::string& first, const std::string& second)
{
    std::error_code error;
    return std::filesystem::equivalent(first, second, error) && !error;
}

}  // namespace

bool InstallLogo(const std::string& source, const std::string& target)
{
    const auto sourceHost = platform::ResolveHostPath(source);
    const auto targetHost = platform::ResolveHostPath(target);
    if (!sourceHost || !targetHost)
        return false;
    if (!logo::HasExactLogoLayout(*sourceHost))
        return RewriteAsLogoFile(*sourceHost, *targetHost);
    // The system file chosen as its own source already holds what is asked
    // for; the copy would only refuse to overwrite itself.
    if (SameHostFile(*sourceHost, *targetHost))
        return true;
    return platform::CopyFileA(source, target, FALSE) != FALSE;
}
