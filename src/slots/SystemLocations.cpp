#include "slots/SystemLocations.h"

#include "platform/files/FileApi.h"

#include <array>

namespace {

constexpr UINT kDirectoryBufferSize = 255;

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Only white space goes: a backslash the system reports is part of the
// directory, and so is a blank in front of it ("C:\MY WIN \").
std::string NormaliseDirectory(const std::string& directory)
{
    std::string result = directory;
    while (!result.empty() && IsWhiteSpace(result.back()))
        result.pop_back();
    // A failed query is no directory: nothing to end in a backslash.
    if (result.empty())
        return result;
    if (result.back() != '\\')
        result += '\\';
    return result;
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
