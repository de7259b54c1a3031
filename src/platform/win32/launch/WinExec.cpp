#include "platform/WinTypes.h"
#include "platform/launch/WinExec.h"

namespace platform {

namespace {

// Quotes keep blanks inside one argument; a name that already carries a
// quote cannot be passed on a command line intact and is refused.
bool AppendQuoted(std::string& line, const std::string& word)
{
    if (word.find('"') != std::string::npos || word.find('\0') != std::string::npos)
        return false;
    line += '"';
    line += word;
    line += '"';
    return true;
}

}  // namespace

UINT WinExec(const std::string& program, const std::string& argument, int showCmd)
{
    if (program.empty())
        return ERROR_FILE_NOT_FOUND;
    std::string line;
    if (!AppendQuoted(line, program))
        return ERROR_FILE_NOT_FOUND;
    if (!argument.empty()) {
        line += ' ';
        if (!AppendQuoted(line, argument))
            return ERROR_FILE_NOT_FOUND;
    }
    const UINT result = ::WinExec(line.c_str(), static_cast<UINT>(showCmd));
    // Windows reports success by any value above 31; callers see one.
    return result > 31 ? WINEXEC_STARTED : result;
}

}  // namespace platform
