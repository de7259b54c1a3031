#pragma once
// DOS file attributes (read-only, hidden, system) of a host file.
//
// On a FAT (vfat) mount they are the real attributes, through the kernel's
// FAT ioctls. Elsewhere they are stored the way Wine stores them, so a Wine
// prefix and this program agree on which files are hidden:
//  - hidden and system live in the extended attribute "user.DOSATTRIB" as
//    the text "0x%x" of those two bits, without a trailing NUL; the
//    attribute is removed when both are clear;
//  - read-only is a file without any write permission bit.

#include "platform/WinTypes.h"

#include <string>
#include <string_view>

namespace platform {

inline constexpr const char* kDosAttributeName = "user.DOSATTRIB";

// INVALID_FILE_ATTRIBUTES when nothing exists at hostPath;
// FILE_ATTRIBUTE_NORMAL when no other bit is set.
DWORD ReadDosAttributes(const std::string& hostPath);

// Replaces the whole set (bits other than read-only, hidden, system and, on
// FAT, archive are ignored). False when the file is missing or a part could
// not be stored, for example where extended attributes are not supported.
// Outside FAT, read-only does not apply to folders (their write permission
// stays, as Wine leaves it).
bool WriteDosAttributes(const std::string& hostPath, DWORD attributes);

// The hidden/system bits of a "user.DOSATTRIB" value: "0x" and hex digits;
// anything after the digits (other writers append binary data) is ignored.
DWORD ParseDosAttributeText(std::string_view text);

}  // namespace platform
