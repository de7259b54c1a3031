#include "SystemLocations.h"

#include "platform/fs/FileApi.h"

#include <array>

namespace {

constexpr UINT kDirectoryBufferSize = 255;

bool IsTrailingJunk(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\\';
}

std::string NormaliseDirectory(const std::string& directory)
{
    std::string result = directory;
    // Backslashes go too, so that "C:\WINDOWS\ " or "C:\WINDOWS\\" still
    // end in a single separator once it is put back.
    while (!result.empty() && IsTrailingJunk(result.back()))
        result.pop_back();
    if (result.empty())
        return directory.find('\\') == std::string::npos ? std::string() : std::string("\\");
    return result + '\\';
}

// The buffer starts zeroed and is left untouched when the directory does
// not fit, so a failed query reads as an empty string.
template <typename Query>
std::string QueryDirectory(Query query)
{
    std::array<char, kDirectoryBufferSize> buffer{};
    const UINT length = query(buffer.data(), kDirectoryBufferSize);
    if (length == 0 || length >= kDirectoryBufferSize)
        return {};
    return std::string(buffer.data(), length);
}

}  // namespace

SystemLocations NormaliseLocations(const std::string& windowsDir, const std::string& systemDir)
{
    SystemLocations locations;
    locations.windowsDir = NormaliseDirectory(windowsDir);
    locations.bootRoot = locations.windowsDir.substr(0, 3);
    locations.systemDir = NormaliseDirectory(systemDir);
    return locations;
}

SystemLocations DetermineLocations()
{
    return NormaliseLocations(QueryDirectory(platform::GetWindowsDirectoryA),
                              QueryDirectory(platform::GetSystemDirectoryA));
}
