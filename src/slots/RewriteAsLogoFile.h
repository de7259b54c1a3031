#pragma once
// Turning any BMP variant of a logo picture into the file the system reads.

#include <string>

// Loads sourceHostPath and writes its pixels and 256-entry colour table to
// targetHostPath in the exact logo layout (atomically; a read-only target is
// refused). The animation count is carried over only from files whose info
// header is at least 40 bytes: in a 12-byte header the byte at offset 50
// lies inside the colour table and means nothing. False when the source is
// not a 320 x 400 x 8 picture or cannot be read.
bool RewriteAsLogoFile(const std::string& sourceHostPath, const std::string& targetHostPath);
