#include "ApplyFailureMessage.h"

std::string ApplyFailureMessage(const ApplyOutcome& outcome)
{
    if (outcome.failedTargets.empty())
        return {};
    std::string text = "The following logo files could not be changed:";
    for (const std::string& target : outcome.failedTargets)
        text += "\n" + target;
    return text;
}
