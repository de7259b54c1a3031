#pragma once
// The running application's profile, in the registry's place: the
// application object names it (its product key and name) for as long as it
// exists, so code that keeps settings reaches them without the application
// object.

#include "platform/settings/SettingsFile.h"

#include <optional>
#include <string>

namespace platform {

void NameApplicationProfile(const std::string& productKey, const std::string& appName);
void ForgetApplicationProfile();

// The store of the running application; nullopt while there is none.
std::optional<SettingsFile> ApplicationProfile();

}  // namespace platform
