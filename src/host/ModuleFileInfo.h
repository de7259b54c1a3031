#pragma once
// What the Control Panel reads from a module's own file without running it:
// the item's name, description and icon by the ids CPL_INQUIRE gives, and
// the version information.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace host {

// The version resource's fields, in the order a version table lists them.
extern const std::vector<std::string> kVersionStringKeys;  // FileDescription, FileVersion, ...
extern const std::vector<std::string> kVersionFixedKeys;   // FILEVERSION, PRODUCTVERSION, FILEOS, FILETYPE

class ModuleFileInfo {
public:
    // Reads the resource section of the module file; nullopt with a reason
    // when the file is unreadable or carries no valid resource section.
    static std::optional<ModuleFileInfo> Read(const std::string& modulePath, std::string& error);

    std::optional<std::string> String(int id) const;
    // The icon group's .ico bytes; empty when there is no such icon.
    std::vector<std::uint8_t> Icon(int id) const;
    // Every field of the version resource as it is stored ("Key", "Value").
    std::vector<std::pair<std::string, std::string>> VersionFields() const;

private:
    explicit ModuleFileInfo(std::vector<std::uint8_t> section) : m_section(std::move(section)) {}

    std::vector<std::uint8_t> m_section;
};

// The standard ids of a single-item applet, used by --module-info, which
// does not run the module to ask.
inline constexpr int kDefaultIconId = 1000;
inline constexpr int kDefaultNameId = 1;
inline constexpr int kDefaultInfoId = 2;
inline constexpr int kVersionResourceId = 1;

}  // namespace host
