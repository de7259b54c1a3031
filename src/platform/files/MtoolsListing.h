#pragma once
// Reading what mtools prints about a folder inside an image: "mdir -a" gives
// each entry's 8.3 name, long name and whether it is a folder; "mattrib" on
// "DIR/*" gives each entry's attribute letters under the name mtools shows
// (the long name, else the 8.3 name). Lines that fit neither layout are
// skipped, so an unexpected line never becomes an entry.

#include "platform/WinTypes.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct ImageEntry {
    std::string shortName;  // "LOGO.SYS", or "lower.sys" where the case flags ask for it
    std::string longName;   // empty when the entry has none
    bool isFolder = false;
    std::uint64_t size = 0;
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;

    // The name mtools addresses and shows the entry by.
    const std::string& ShownName() const { return longName.empty() ? shortName : longName; }
};

// Entries of an "mdir -a" listing, without "." and "..".
std::vector<ImageEntry> ParseMdirListing(std::string_view text);

// Shown name -> FAT attribute bits (read-only, hidden, system, archive).
std::map<std::string, DWORD> ParseMattribListing(std::string_view text);

// The listing of one folder: mdir's entries with mattrib's bits.
std::vector<ImageEntry> MergeListings(std::vector<ImageEntry> entries, const std::map<std::string, DWORD>& bits);

}  // namespace platform
