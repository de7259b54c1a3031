#pragma once
// Reading and removing keys below HKEY_CURRENT_USER as the Win32 tests check
// what the settings left there.

#include "platform/WinTypes.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace win32_test {

struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;

    // A REG_SZ's text, up to its terminator.
    std::string Text() const { return std::string(data.begin(), std::find(data.begin(), data.end(), 0)); }
    DWORD Number() const
    {
        DWORD value = 0;
        if (data.size() == sizeof value)
            std::memcpy(&value, data.data(), sizeof value);
        return value;
    }
};

// Value name of key path, or nullopt when either is missing.
inline std::optional<RegistryValue> QueryRegistryValue(const std::string& path, const std::string& name)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    RegistryValue value;
    DWORD size = 0;
    LONG status = ::RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        value.data.resize(size);
        status = ::RegQueryValueExA(key, name.c_str(), nullptr, &value.type, value.data.data(), &size);
        value.data.resize(size);
    }
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

// RegDeleteKey of Windows NT removes only empty keys, so children go first.
inline void DeleteRegistryTree(const std::string& path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    std::vector<std::string> children;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (::RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        children.emplace_back(name, length);
    }
    ::RegCloseKey(key);
    for (const std::string& child : children)
        DeleteRegistryTree(path + "\\" + child);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
}

}  // namespace win32_test
