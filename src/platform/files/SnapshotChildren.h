#pragma once
// Finding the snapshots made on top of a disk image, so the image is never
// written under them: writing a base corrupts every child that reads
// through to it. Looked for where the programs that make chains put them:
// the image's own folder, a Snapshots folder beside it, and the media
// registry of a VirtualBox machine file (.vbox) in its folder.

#include <string>

namespace platform {

// The path of the first image found that names imagePath as its parent (by
// a name that leads to it, or, where that name leads nowhere, by the
// identity its header gives), or of a disk a .vbox file nests under it;
// empty when there is none.
std::string FindSnapshotChild(const std::string& imagePath);

}  // namespace platform
