#pragma once
// Putting a picture file in place of a slot's system file, in the exact
// layout the system reads at boot.

#include <string>

// source and target are Windows or host paths. A 320 x 400 x 8 picture in
// another BMP variant than the exact 129078-byte layout is rewritten in that
// layout; every other source (the exact layout, a picture of another size or
// depth, a file that is no bitmap) is copied byte for byte. The target is
// replaced atomically or left as it was. False when the source cannot be
// read or the target cannot be written.
bool InstallLogo(const std::string& source, const std::string& target);
