#include "platform/settings/ApplicationProfile.h"

namespace platform {

namespace {

struct ProfileName {
    std::string productKey;
    std::string appName;
};

std::optional<ProfileName>& Current()
{
    static std::optional<ProfileName> current;
    return current;
}

}  // namespace

void NameApplicationProfile(const std::string& productKey, const std::string& appName)
{
    Current() = ProfileName{productKey, appName};
}

void ForgetApplicationProfile()
{
    Current().reset();
}

std::optional<SettingsFile> ApplicationProfile()
{
    if (!Current()) {
        return std::nullopt;
    }
    return SettingsFile(Current()->productKey, Current()->appName);
}

}  // namespace platform
