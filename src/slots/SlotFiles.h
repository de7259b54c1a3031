#pragma once
// Every path the applet builds: a directory of SystemLocations followed
// directly by a relative name. The system ignores the case of names, so the
// lower-case file a slot is read from and the capitalised file Apply writes
// are one and the same.

#include "slots/LogoSlot.h"
#include "slots/SystemLocations.h"

#include <string>
#include <string_view>

// The pending source that stands for "no start-up file": the system then
// shows its built-in screen. Compared case-sensitively; never a file name.
inline constexpr std::string_view kDefaultMarker = "Default";

bool IsDefaultMarker(const std::string& pending);

// The slot's file as read when showing it, saving it or animating it
// (lower-case name).
std::string SystemFile(LogoSlot slot, const SystemLocations& locations);

// The same file as Apply writes it (capitalised name).
std::string ApplyTarget(LogoSlot slot, const SystemLocations& locations);

// "Default" for StartUp; the product's default picture for the other two.
std::string DefaultSource(LogoSlot slot, const SystemLocations& locations);

// The pending source when one is set, otherwise the system file. Not asked
// for while the pending source is the marker.
std::string EffectiveFile(LogoSlot slot, const std::string& pending, const SystemLocations& locations);

std::string HelpFile(const SystemLocations& locations);
std::string DefaultLogoEditor(const SystemLocations& locations);
std::string NewLogoTemplate(const SystemLocations& locations);
