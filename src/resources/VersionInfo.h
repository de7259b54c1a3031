#pragma once
// The module's version information. Stored as the Version resource
// IDV_VERSION_INFO in "Key=Value" lines: the string fields under their own
// names, the fixed part under the resource script's keywords (FILEVERSION,
// PRODUCTVERSION, FILEOS, FILETYPE).

#include <span>
#include <string>
#include <string_view>

namespace res {

struct VersionField {
    std::string_view key;
    std::string_view value;
};

// String fields, then the fixed fields, in the order they are stored.
std::span<const VersionField> VersionFields();

// All fields as the Version resource's text, one "Key=Value" line each.
std::string VersionResourceText();

}  // namespace res
