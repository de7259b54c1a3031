#pragma once
// The check a drive that is a disk image passes before anything runs on
// it, so a bad image is one clear line instead of a drive that fails later.

#include <string>

namespace platform {

// Empty when the text names a usable image ("PATH" or "PATH@N");
// otherwise why not, as the end of a sentence that starts with the image's
// name: "is read-only", "has no FAT partition", ...
std::string ImageDriveProblem(const std::string& text);

// Whether the text names an image rather than a folder (an existing regular
// file, or one followed by "@N").
bool NamesImageDrive(const std::string& text);

}  // namespace platform
