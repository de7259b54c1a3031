#pragma once
// The test program's own resources (lumivane_win32_resources is linked into
// it), and text in the form the resource functions return it.

#include "platform/WinTypes.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace win32test {

HMODULE ResourceModule();

// The bytes of a resource of this program, empty when it has none.
std::span<const std::uint8_t> ResourceBytes(LPCSTR type, int id);

std::u16string Utf16(std::string_view utf8);

}  // namespace win32test
