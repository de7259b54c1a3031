#pragma once
// The per-user settings store, in the registry's place: the file
// $XDG_CONFIG_HOME/<productKey>/<appName>.conf (~/.config when unset), with
// sections and entries as registry keys and values (see SettingsText.h for
// the format). Every write goes to disk at once and replaces the file
// atomically; reads never fail and give the default instead.

#include <string>

namespace platform {

class SettingsFile {
public:
    // An empty product key puts the file directly into the config folder.
    // Names that cannot form a file name (empty application name, '/', "..")
    // give a store that reads defaults and refuses writes.
    SettingsFile(const std::string& productKey, const std::string& appName);

    // A store in an explicit file.
    static SettingsFile AtPath(std::string hostFilePath);

    // Empty when the names could not form a file name.
    const std::string& FilePath() const { return path_; }

    // The default when the entry is absent, not a string or the file unreadable.
    std::string ReadString(const std::string& section, const std::string& entry,
                           const std::string& defaultValue) const;
    // The default when the entry is absent, not an integer or the file unreadable.
    int ReadInt(const std::string& section, const std::string& entry, int defaultValue) const;

    // False when nothing was stored: the file exists but cannot be read (it
    // is left alone rather than overwritten), or it cannot be written.
    bool WriteString(const std::string& section, const std::string& entry, const std::string& value);
    bool WriteInt(const std::string& section, const std::string& entry, int value);

private:
    SettingsFile() = default;

    std::string path_;
};

}  // namespace platform
