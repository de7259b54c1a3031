#pragma once
// Writing a logo file to disk: the editor's Save As, the rewrite of a
// foreign BMP variant on Apply, the command-line tool and the sample drive.

#include "logo/Picture.h"

#include <cstdint>
#include <string>

namespace platform {

// Writes picture and table in the fixed 129078-byte logo layout to a host
// path (logo::EncodeLogoFile), by atomic replacement: flushed to disk before
// it takes the target's place, so a crash or a power loss leaves the old file
// or the new one, never a part. Writes through a symbolic link to the file it
// names and keeps a replaced file's permission mode. Refuses a picture that
// is not a logo and, as Windows does, a read-only target.
bool WriteLogoFile(const std::string& hostPath, const logo::LogoImage& picture, const logo::ColorTable& table,
                   bool animated, std::uint8_t count);

}  // namespace platform
