#include "platform/files/MtoolsListing.h"

#include <cctype>
#include <optional>

namespace platform {

namespace {

constexpr std::size_t kNameWidth = 8;
constexpr std::size_t kExtensionStart = 9;
constexpr std::size_t kExtensionWidth = 3;
constexpr std::size_t kAfterShortName = 12;
// "  A  SHR     Z:/..." : archive, system, hidden, read-only columns.
constexpr std::size_t kArchiveColumn = 2;
constexpr std::size_t kSystemColumn = 5;
constexpr std::size_t kHiddenColumn = 6;
constexpr std::size_t kReadOnlyColumn = 7;

std::string Trimmed(std::string_view text)
{
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return std::string(text);
}

bool IsDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

// "2026-12-09" followed by blanks and "H:MM" or "HH:MM".
bool IsDateAndTime(std::string_view date, std::string_view time)
{
    if (date.size() != 10 || date[4] != '-' || date[7] != '-')
        return false;
    const std::size_t colon = time.find(':');
    return colon != std::string_view::npos && IsDigits(time.substr(0, colon)) && IsDigits(time.substr(colon + 1));
}

std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// The next blank-separated word of rest, which moves past it.
std::string_view NextWord(std::string_view& rest)
{
    while (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    const std::size_t end = rest.find(' ');
    const std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
    return word;
}

std::optional<ImageEntry> ParseEntryLine(std::string_view line)
{
    if (line.size() <= kAfterShortName || line[kNameWidth] != ' ' || line[0] == ' ')
        return std::nullopt;
    ImageEntry entry;
    const std::string base = Trimmed(line.substr(0, kNameWidth));
    const std::string extension = Trimmed(line.substr(kExtensionStart, kExtensionWidth));
    entry.shortName = extension.empty() ? base : base + "." + extension;

    std::string_view rest = line.substr(kAfterShortName);
    const std::string_view sizeOrFolder = NextWord(rest);
    if (sizeOrFolder == "<DIR>") {
        entry.isFolder = true;
        entry.attributes = FILE_ATTRIBUTE_DIRECTORY;
    } else if (IsDigits(sizeOrFolder) && sizeOrFolder.size() <= 19) {
        entry.size = std::stoull(std::string(sizeOrFolder));
    } else {
        return std::nullopt;
    }
    const std::string_view date = NextWord(rest);
    const std::string_view time = NextWord(rest);
    if (!IsDateAndTime(date, time))
        return std::nullopt;
    // One blank ends the time; a long name follows after a second one.
    if (rest.size() > 2 && rest.substr(0, 2) == "  ")
        entry.longName = std::string(rest.substr(2));
    if (entry.shortName == "." || entry.shortName == "..")
        return std::nullopt;
    return entry;
}

}  // namespace

std::vector<ImageEntry> ParseMdirListing(std::string_view text)
{
    std::vector<ImageEntry> entries;
    for (const std::string_view line : Lines(text)) {
        if (auto entry = ParseEntryLine(line))
            entries.push_back(std::move(*entry));
    }
    return entries;
}

std::map<std::string, DWORD> ParseMattribListing(std::string_view text)
{
    std::map<std::string, DWORD> bits;
    for (const std::string_view line : Lines(text)) {
        const std::size_t drive = line.find(":/");
        if (drive == std::string_view::npos || drive <= kReadOnlyColumn)
            continue;
        const std::string_view columns = line.substr(0, drive - 1);
        const std::string_view path = line.substr(drive + 1);
        const std::string_view name = path.substr(path.rfind('/') + 1);
        if (name.empty() || name == "." || name == "..")
            continue;
        DWORD value = 0;
        if (columns[kArchiveColumn] == 'A')
            value |= FILE_ATTRIBUTE_ARCHIVE;
        if (columns[kSystemColumn] == 'S')
            value |= FILE_ATTRIBUTE_SYSTEM;
        if (columns[kHiddenColumn] == 'H')
            value |= FILE_ATTRIBUTE_HIDDEN;
        if (columns[kReadOnlyColumn] == 'R')
            value |= FILE_ATTRIBUTE_READONLY;
        bits[std::string(name)] = value;
    }
    return bits;
}

std::vector<ImageEntry> MergeListings(std::vector<ImageEntry> entries, const std::map<std::string, DWORD>& bits)
{
    for (ImageEntry& entry : entries) {
        const auto found = bits.find(entry.ShownName());
        const DWORD value = found == bits.end() ? 0 : found->second;
        const DWORD folder = entry.isFolder ? FILE_ATTRIBUTE_DIRECTORY : 0;
        entry.attributes = (value | folder) != 0 ? (value | folder) : FILE_ATTRIBUTE_NORMAL;
    }
    return entries;
}

}  // namespace platform
