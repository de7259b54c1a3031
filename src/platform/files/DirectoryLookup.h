#pragma once
// Finding a name in a host folder the way a case-insensitive file system
// would: "logo.sys" finds "LOGO.SYS".

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Names are UTF-8. Letters compare without regard to case as the Western
// Windows code page folds them (ASCII and Latin-1 letters, S, Z and Y with
// their marks, OE); other characters and stray bytes must be equal.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// The host spelling of the entry of folder that matches name. An entry
// spelt exactly as asked wins; among several other matches, the first in
// byte order, so the answer does not depend on the order of the folder.
std::optional<std::string> FindNameIgnoringCase(const std::string& folder, std::string_view name);

// folder + '/' + name, without doubling a trailing slash.
std::string JoinHostPath(const std::string& folder, std::string_view name);

}  // namespace platform
