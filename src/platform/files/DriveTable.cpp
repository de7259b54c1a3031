#include "platform/files/DriveTable.h"

#include "platform/files/UserDirectories.h"

#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace platform {

namespace {

std::optional<std::size_t> SlotOf(char letter)
{
    if (letter >= 'A' && letter <= 'Z')
        return static_cast<std::size_t>(letter - 'A');
    if (letter >= 'a' && letter <= 'z')
        return static_cast<std::size_t>(letter - 'a');
    return std::nullopt;
}

}  // namespace

void DriveTable::Map(char letter, std::string hostFolder)
{
    if (const auto slot = SlotOf(letter))
        folders_[*slot] = std::move(hostFolder);
}

std::optional<std::string> DriveTable::Folder(char letter) const
{
    const auto slot = SlotOf(letter);
    if (!slot || folders_[*slot].empty())
        return std::nullopt;
    return folders_[*slot];
}

bool DriveTable::Empty() const
{
    for (const auto& folder : folders_) {
        if (!folder.empty())
            return false;
    }
    return true;
}

DriveTable DriveTable::FromEnvironment()
{
    constexpr std::string_view kPrefix = "LUMIVANE_DRIVE_";
    DriveTable table;
    for (char** variable = environ; variable != nullptr && *variable != nullptr; ++variable) {
        const std::string_view text = *variable;
        // Exactly one letter between the prefix and '='.
        if (text.size() < kPrefix.size() + 2 || text.substr(0, kPrefix.size()) != kPrefix ||
            text[kPrefix.size() + 1] != '=')
            continue;
        table.Map(text[kPrefix.size()], std::string(text.substr(kPrefix.size() + 2)));
    }
    if (table.Empty())
        table.Map('C', DataHome() + "/lumivane/drive_c");
    return table;
}

}  // namespace platform
