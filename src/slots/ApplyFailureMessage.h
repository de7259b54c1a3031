#pragma once
// The text of the one message Apply shows when some logo files were not
// changed (caption "Error", stop icon).

#include "slots/ApplyLogos.h"

#include <string>

// The heading ("The following logo files could not be changed:") and one
// line per failed target; empty when nothing failed (no message then).
std::string ApplyFailureMessage(const std::string& heading, const ApplyOutcome& outcome);
