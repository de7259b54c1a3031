#pragma once
// The text of the one message Apply shows when some logo files were not
// changed (caption "Error", stop icon).

#include "ApplyLogos.h"

#include <string>

inline constexpr const char* kApplyFailureCaption = "Error";

// "The following logo files could not be changed:" and one line per failed
// target; empty when nothing failed (no message is shown then).
std::string ApplyFailureMessage(const ApplyOutcome& outcome);
