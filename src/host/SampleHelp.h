#pragma once
// The help file of the sample drive (help\lumva.hlp in the Windows folder).

#include <string_view>

namespace host {

std::string_view HelpText();

}  // namespace host
