#pragma once
// Everything that goes into the module's resource section, rendered and
// encoded: strings, version information, bitmaps, cursors and the icon.

#include "platform/modres/ResourceBlob.h"

#include <vector>

namespace res::rc {

// Throws when a drawing fails to render or its encoding does not decode back
// to the size and depth it was drawn at.
std::vector<platform::ResourceEntry> BuildResourceEntries();

}  // namespace res::rc
