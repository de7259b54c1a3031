// On Windows the store is the registry: FilePath() is the key below
// HKEY_CURRENT_USER that holds one subkey per section; strings are REG_SZ
// values and integers REG_DWORD, as the system's own profile calls keep them.

#include "platform/settings/SettingsFile.h"

#include "platform/WinTypes.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace platform {

namespace {

bool IsKeyName(const std::string& name)
{
    return !name.empty() && name.find('\\') == std::string::npos && name != "." && name != "..";
}

struct KeyCloser {
    HKEY key = nullptr;
    ~KeyCloser()
    {
        if (key != nullptr)
            ::RegCloseKey(key);
    }
};

struct StoredValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

std::optional<StoredValue> Query(const std::string& keyPath, const std::string& section, const std::string& entry)
{
    if (keyPath.empty() || section.empty())
        return std::nullopt;
    KeyCloser key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, (keyPath + "\\" + section).c_str(), 0, KEY_QUERY_VALUE, &key.key) !=
        ERROR_SUCCESS)
        return std::nullopt;
    StoredValue value;
    DWORD size = 0;
    if (::RegQueryValueExA(key.key, entry.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    // One byte more than asked, so a string stored without its NUL still ends.
    value.data.assign(size + 1, 0);
    if (::RegQueryValueExA(key.key, entry.c_str(), nullptr, &value.type, value.data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    return value;
}

std::optional<std::string> AsString(const StoredValue& value)
{
    if (value.type != REG_SZ && value.type != REG_EXPAND_SZ)
        return std::nullopt;
    std::string text(value.data.begin(), value.data.end());
    const std::size_t end = text.find('\0');
    if (end != std::string::npos)
        text.resize(end);
    return text;
}

// A whole decimal or 0x-hex number in the 32-bit range, signed or unsigned.
std::optional<int> ParseInteger(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long long number = std::strtoll(text.c_str(), &end, 0);
    if (errno != 0 || end == text.c_str() || *end != '\0' || number < -2147483648LL || number > 0xFFFFFFFFLL)
        return std::nullopt;
    return static_cast<int>(static_cast<std::uint32_t>(number));
}

bool Store(const std::string& keyPath, const std::string& section, const std::string& entry, DWORD type,
           const BYTE* data, DWORD size)
{
    if (keyPath.empty() || section.empty())
        return false;
    KeyCloser key;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, (keyPath + "\\" + section).c_str(), 0, nullptr,
                          REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key.key, &disposition) != ERROR_SUCCESS)
        return false;
    return ::RegSetValueExA(key.key, entry.c_str(), 0, type, data, size) == ERROR_SUCCESS;
}

}  // namespace

SettingsFile::SettingsFile(const std::string& productKey, const std::string& appName)
{
    if (!IsKeyName(appName) || (!productKey.empty() && !IsKeyName(productKey)))
        return;
    path_ = productKey.empty() ? "Software\\" + appName : "Software\\" + productKey + "\\" + appName;
}

SettingsFile SettingsFile::AtPath(std::string hostFilePath)
{
    // Here the "file" is a key below HKEY_CURRENT_USER.
    SettingsFile store;
    while (!hostFilePath.empty() && hostFilePath.back() == '\\')
        hostFilePath.pop_back();
    store.path_ = std::move(hostFilePath);
    return store;
}

std::string SettingsFile::ReadString(const std::string& section, const std::string& entry,
                                     const std::string& defaultValue) const
{
    const std::optional<StoredValue> value = Query(path_, section, entry);
    if (!value)
        return defaultValue;
    return AsString(*value).value_or(defaultValue);
}

int SettingsFile::ReadInt(const std::string& section, const std::string& entry, int defaultValue) const
{
    const std::optional<StoredValue> value = Query(path_, section, entry);
    if (!value)
        return defaultValue;
    if (value->type == REG_DWORD && value->data.size() == sizeof(DWORD)) {
        DWORD number = 0;
        std::memcpy(&number, value->data.data(), sizeof number);
        return static_cast<int>(number);
    }
    // A number written as text (by hand, or by a .reg file) still counts.
    if (const std::optional<std::string> text = AsString(*value))
        return ParseInteger(*text).value_or(defaultValue);
    return defaultValue;
}

bool SettingsFile::WriteString(const std::string& section, const std::string& entry, const std::string& value)
{
    if (value.find('\0') != std::string::npos)
        return false;
    return Store(path_, section, entry, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
}

bool SettingsFile::WriteInt(const std::string& section, const std::string& entry, int value)
{
    const DWORD number = static_cast<DWORD>(value);
    return Store(path_, section, entry, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

}  // namespace platform
