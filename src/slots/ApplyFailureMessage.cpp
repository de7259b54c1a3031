#include "slots/ApplyFailureMessage.h"

std::string ApplyFailureMessage(const std::string& heading, const ApplyOutcome& outcome)
{
    if (outcome.failedTargets.empty())
        return {};
    std::string text = heading;
    for (const std::string& target : outcome.failedTargets)
        text += "\n" + target;
    return text;
}
