#pragma once
// Which container a disk image file is (raw, VHD, VDI, VMDK, qcow2) and,
// where the disk's bytes lie in one file at a fixed offset, where: a fixed
// VHD is the disk followed by a 512-byte footer, a static VDI keeps its
// blocks in order after its header, a monolithicFlat VMDK is a descriptor
// naming a raw extent file. The other kinds map blocks through tables and
// need qemu's drivers to be read; differencing VHDs and VDIs (snapshots on
// top of another disk) qemu cannot open with their parent at all.

#include "platform/files/ImageBytes.h"

#include <cstdint>
#include <string>

namespace platform {

enum class ContainerKind {
    Raw,
    VhdFixed,
    VhdDynamic,
    VhdDifferencing,
    VdiStatic,
    VdiDynamic,
    VdiDifferencing,
    VmdkFlat,
    VmdkSparse,
    Qcow2
};

struct ImageContainer {
    ContainerKind kind = ContainerKind::Raw;
    // For the kinds at a plain offset: the file holding the disk (the image
    // itself, or a VMDK's extent, relative to the descriptor's folder),
    // where the disk starts in it and how long it is.
    std::string extentFile;
    std::uint64_t diskOffset = 0;
    std::uint64_t diskSize = 0;
    // Why a header that names a known kind cannot be used; empty when fine.
    std::string problem;
};

// Short human name: "raw", "fixed VHD", "dynamic VDI", ...
std::string ContainerName(ContainerKind kind);
bool NeedsBlockDriver(ContainerKind kind);

ImageContainer DetectContainer(const ImageBytes& image);

}  // namespace platform
