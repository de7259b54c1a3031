#pragma once
// The text of the editor's number fields (count, red, green, blue).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// An unsigned decimal number from 0 to 255, optionally with blanks or tabs
// before and after it. Empty text, a sign or any other character: nullopt.
std::optional<std::uint8_t> ParseFieldValue(std::string_view text);

// The text ShowFields writes for a value: plain decimal.
std::string FieldText(std::uint8_t value);
