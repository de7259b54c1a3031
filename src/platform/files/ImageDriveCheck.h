#pragma once
// The check a drive that is a disk image passes before anything runs on
// it, so a bad image is one clear line instead of a drive that fails later.
// The check opens the image for the run: the drive built on it afterwards
// uses what the check opened.

#include <string>
#include <vector>

namespace platform {

struct ImageDriveReport {
    // Empty when the text names a usable image ("PATH" or "PATH@N");
    // otherwise why not, as the end of a sentence that starts with the
    // image's name: "is read-only", "has no FAT partition", ...
    std::string problem;
    // Lines worth telling about a usable image, ended the same way: that it
    // is only read (a base of snapshots, a streamOptimized VMDK), that FUSE
    // cannot be used.
    std::vector<std::string> notes;
};

ImageDriveReport CheckImageDrive(const std::string& text);

// CheckImageDrive's problem alone.
std::string ImageDriveProblem(const std::string& text);

// Whether the text names an image rather than a folder (an existing regular
// file, or one followed by "@N").
bool NamesImageDrive(const std::string& text);

}  // namespace platform
