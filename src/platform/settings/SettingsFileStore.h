#pragma once
// Reading and writing the settings file as a whole.

#include "platform/settings/SettingValue.h"
#include "platform/settings/SettingsDocument.h"

#include <memory>
#include <optional>
#include <string>

namespace platform {

// An absent file reads as an empty document; nullopt when a file is there
// but cannot be read as one (not a regular file, no permission, too large).
std::optional<SettingsDocument> LoadSettings(const std::string& hostPath);

// The document as last read, parsed again only when the file changed (another
// identity, size or time stamp); nullptr when the file cannot be read. Every
// read of a setting comes here, so a large file costs one parse, not one per
// read.
std::shared_ptr<const SettingsDocument> ReadSettings(const std::string& hostPath);

// Sets one value and writes the file back atomically, creating its folder.
// The read, the change and the replacement hold a lock on the folder, so
// writers in several processes at once lose nothing.
bool StoreSetting(const std::string& hostPath, const std::string& section, const std::string& entry,
                  const SettingValue& value);

}  // namespace platform
