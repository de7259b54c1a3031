#pragma once
// Reading and writing the settings file as a whole.

#include "SettingValue.h"
#include "SettingsDocument.h"

#include <optional>
#include <string>

namespace platform {

// An absent file reads as an empty document; nullopt when a file is there
// but cannot be read as one (not a regular file, no permission, too large).
std::optional<SettingsDocument> LoadSettings(const std::string& hostPath);

// Sets one value and writes the file back atomically, creating its folder.
bool StoreSetting(const std::string& hostPath, const std::string& section, const std::string& entry,
                  const SettingValue& value);

}  // namespace platform
