#include "platform/settings/SettingsFile.h"

#include "platform/files/UserDirectories.h"
#include "platform/settings/SettingsFileStore.h"

#include <variant>

namespace platform {

namespace {

bool UsableAsFileName(const std::string& name)
{
    return name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

}  // namespace

SettingsFile::SettingsFile(const std::string& productKey, const std::string& appName)
{
    if (appName.empty() || !UsableAsFileName(appName) || !UsableAsFileName(productKey))
        return;
    path_ = ConfigHome();
    if (!productKey.empty())
        path_ += "/" + productKey;
    path_ += "/" + appName + ".conf";
}

SettingsFile SettingsFile::AtPath(std::string hostFilePath)
{
    SettingsFile store;
    store.path_ = std::move(hostFilePath);
    return store;
}

std::string SettingsFile::ReadString(const std::string& section, const std::string& entry,
                                     const std::string& defaultValue) const
{
    if (path_.empty())
        return defaultValue;
    const auto document = ReadSettings(path_);
    const SettingValue* value = document ? document->Find(section, entry) : nullptr;
    const auto* text = value != nullptr ? std::get_if<std::string>(value) : nullptr;
    return text != nullptr ? *text : defaultValue;
}

int SettingsFile::ReadInt(const std::string& section, const std::string& entry, int defaultValue) const
{
    if (path_.empty())
        return defaultValue;
    const auto document = ReadSettings(path_);
    const SettingValue* value = document ? document->Find(section, entry) : nullptr;
    const auto* number = value != nullptr ? std::get_if<std::int32_t>(value) : nullptr;
    return number != nullptr ? *number : defaultValue;
}

bool SettingsFile::WriteString(const std::string& section, const std::string& entry, const std::string& value)
{
    return StoreSetting(path_, section, entry, SettingValue(value));
}

bool SettingsFile::WriteInt(const std::string& section, const std::string& entry, int value)
{
    return StoreSetting(path_, section, entry, SettingValue(static_cast<std::int32_t>(value)));
}

}  // namespace platform
