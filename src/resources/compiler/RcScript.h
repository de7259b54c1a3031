#pragma once
// The module's resources as a resource script for windres (the Win32 build):
// the script text and the .bmp, .cur and .ico files it names.

#include "platform/modres/ResourceBlob.h"
#include "platform/ui/DialogTemplate.h"
#include "resources/VersionInfo.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace res::rc {

struct RcFile {
    std::string name;  // plain file name, beside the script
    std::vector<std::uint8_t> bytes;
};

struct RcScript {
    std::string text;  // code page 1252
    std::vector<RcFile> files;
};

// Strings, bitmaps, cursors and icons from the entries BuildResourceEntries
// makes (their Version entry is left out: the VERSIONINFO statement is
// written from the fields themselves), one DIALOGEX per template, and the
// VERSIONINFO with the id versionId. Throws std::invalid_argument for text
// the script cannot carry, naming the resource.
RcScript BuildRcScript(std::span<const platform::ResourceEntry> entries,
                       std::span<const platform::DialogTemplate* const> dialogs, int versionId,
                       std::span<const VersionField> versionFields);

}  // namespace res::rc
