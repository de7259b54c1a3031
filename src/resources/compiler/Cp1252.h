#pragma once
// Text for the resource script, which is written in code page 1252: the
// applet's strings are UTF-8 in the sources.

#include <string>
#include <string_view>

namespace res::rc {

// Throws std::invalid_argument naming the character (U+XXXX) when the text
// is not valid UTF-8 or holds a character that code page 1252 lacks.
std::string Utf8ToCp1252(std::string_view utf8);

}  // namespace res::rc
