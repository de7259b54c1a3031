#pragma once
// What a disk image's header says about its place in a chain of snapshots:
// the identity its children name it by and the parent it names itself.
//
//   qcow2          parent: the backing file's name
//   VMDK           identity: CID; parent: parentCID and parentFileNameHint
//                  (in the embedded descriptor of a sparse extent, or in a
//                  descriptor file)
//   VHD            identity: the footer's unique id; a differencing disk's
//                  parent: the dynamic header's parent unique id and name
//   VDI            identity: the creation UUID; a differencing image's
//                  parent: the linkage UUID
//
// Identities are lower-case hex text, so they compare as strings.

#include "platform/files/ImageBytes.h"

#include <string>

namespace platform {

struct ImageLineage {
    std::string identity;
    std::string parentName;      // as the child stores it (relative to its folder, or absolute)
    std::string parentIdentity;
    bool differencing = false;   // a VHD or VDI child, which qemu cannot open with its parent
    bool streamOptimized = false;  // a VMDK of compressed grains, which qemu only reads
};

ImageLineage ReadImageLineage(const ImageBytes& image);

}  // namespace platform
