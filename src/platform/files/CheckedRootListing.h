#pragma once
// The root folder a drive check listed, handed to the drive built on the
// same volume next in this run, so a run lists it once. A listing whose
// image has changed since is not handed on.

#include "platform/files/ImageVolume.h"

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

struct RootListing {
    std::string names;       // mdir -a's output
    std::string attributes;  // mattrib's output
};

// The file whose change means the image changed: the image itself for a
// disk qemu reads (its view is new with every daemon), else mtools' file.
std::string ChangeWitness(const std::string& imagePath, const ImageVolume& volume);

void KeepCheckedRootListing(const std::string& imagePath, const ImageVolume& volume, RootListing listing);

// The kept listing of this volume, once; nullopt when there is none or the
// image changed after the check.
std::optional<RootListing> TakeCheckedRootListing(const std::string& imagePath, const ImageVolume& volume);

}  // namespace platform
