#include "platform/files/UserDirectories.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace platform {

namespace {

std::string AbsoluteFromEnvironment(const char* name, const char* fallbackUnderHome)
{
    const char* value = std::getenv(name);
    // The base directory rules say relative values are to be ignored.
    if (value != nullptr && value[0] == '/')
        return value;
    std::string home = HomeFolder();
    while (!home.empty() && home.back() == '/')
        home.pop_back();
    return home + fallbackUnderHome;
}

}  // namespace

std::string HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0')
        return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr)
        return found->pw_dir;
    return "/";
}

std::string DataHome()
{
    return AbsoluteFromEnvironment("XDG_DATA_HOME", "/.local/share");
}

std::string ConfigHome()
{
    return AbsoluteFromEnvironment("XDG_CONFIG_HOME", "/.config");
}

}  // namespace platform
