#pragma once
// The file filter of the Select a Logo Editor dialog. Programs on Linux
// rarely end in .exe, so after the two entries of the string table an entry
// for all files is offered as well, or /usr/bin/gimp could not be chosen.

#include <string>

// The Windows filter text ("Desc|pattern|...||") with the all-files entry
// ("All Files (*)|*|") appended as the last entry.
std::string EditorFileFilter(const std::string& tableFilter, const std::string& allFilesEntry);
