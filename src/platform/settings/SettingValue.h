#pragma once
// One stored setting: a string or a 32-bit integer, as the registry's
// REG_SZ and REG_DWORD. std::monostate marks an entry that exists but whose
// value cannot be read.

#include <cstdint>
#include <string>
#include <variant>

namespace platform {

using SettingValue = std::variant<std::monostate, std::string, std::int32_t>;

}  // namespace platform
