#pragma once
// lumva-logo run in-process: its exit status and what it printed.

#include "tools/LogoCommand.h"

#include <sstream>
#include <string>
#include <vector>

namespace testing_support {

struct ToolOutcome {
    int status;
    std::string out;
    std::string err;
};

inline ToolOutcome RunTool(std::vector<std::string> arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = tools::RunLogoCommand(arguments, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace testing_support
