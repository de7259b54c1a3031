#include "tools/CheckCommand.h"

#include "tools/CommandArguments.h"
#include "logo/LogoCheck.h"

#include <ostream>

namespace tools {

int RunCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.empty())
        return CommandUsageError(err, "check needs at least one FILE", kCheckUsage);
    bool problem = false;
    for (const std::string& file : arguments) {
        const std::vector<logo::Finding> findings = logo::CheckLogoFile(file);
        for (const logo::Finding& finding : findings)
            out << file << ": " << finding.code << ": " << finding.text << '\n';
        problem = problem || logo::HasProblem(findings);
    }
    return problem ? 1 : 0;
}

}  // namespace tools
