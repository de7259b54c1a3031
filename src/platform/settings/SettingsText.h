#pragma once
// The text form of names and values in the settings file.
//
//   [Section]
//   entry=str:C:\WINDOWS\pbrush.exe
//   set=dword:1
//
// Any byte that would change how a line reads is written as %XX (two hex
// digits): '%' itself, control characters (so newlines), blanks at either
// end (hand edits lose them), and in names also '=', '[', ']', ';' and '#'. Backslashes stay as they
// are, so Windows paths remain readable.

#include "platform/settings/SettingValue.h"

#include <optional>
#include <string>
#include <string_view>

namespace platform {

std::string EncodeName(std::string_view name);
std::string EncodeValue(const SettingValue& value);

// '%' not followed by two hex digits stays a '%' (a hand edit, not ours).
std::string DecodeText(std::string_view text);

// "str:..." or "dword:<integer>"; monostate for anything else. Integers are
// decimal (with an optional '-') or 0x-hex, within the 32-bit range, signed
// or unsigned; unsigned values above INT32_MAX wrap as a DWORD does.
SettingValue DecodeValue(std::string_view text);

}  // namespace platform
