#pragma once
// Which host folder stands for which drive letter, as Wine's dosdevices do.

#include <array>
#include <optional>
#include <string>

namespace platform {

class DriveTable {
public:
    // Letters are case-insensitive; an empty folder removes the mapping.
    void Map(char letter, std::string hostFolder);
    std::optional<std::string> Folder(char letter) const;
    bool Empty() const;

    // LUMIVANE_DRIVE_<LETTER>=<folder> for every letter set in the
    // environment; with none set, C: is the sample drive
    // $XDG_DATA_HOME/lumivane/drive_c.
    static DriveTable FromEnvironment();

private:
    std::array<std::string, 26> folders_;
};

}  // namespace platform
