#pragma once
// String literals for a resource script as windres reads them.

#include <string>
#include <string_view>

namespace res::rc {

// The UTF-8 text as a quoted literal in code page 1252: a quote doubled, a
// backslash doubled, line feed, carriage return and tab as \n \r \t, other
// control characters as three-digit octal escapes. Throws like Utf8ToCp1252.
std::string RcQuoted(std::string_view utf8);

}  // namespace res::rc
