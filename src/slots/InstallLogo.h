#pragma once
// Putting a picture file in place of a slot's system file, in the exact
// layout the system reads at boot.

#include <string>

// source and target are Windows or host paths. A source already in the
// exact 129078-byte layout is copied byte for byte; any other logo picture
// (320 x 400 x 8 in another BMP variant) is rewritten in that layout. The
// target is replaced atomically or left as it was. False when the source
// cannot be read as a logo or the target cannot be written.
bool InstallLogo(const std::string& source, const std::string& target);
