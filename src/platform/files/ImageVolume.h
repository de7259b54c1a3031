#pragma once
// Finding the FAT volume a drive letter stands for inside a disk image:
// the container first (raw, fixed VHD, static VDI, flat VMDK), then a FAT
// boot sector at the disk's start (a "superfloppy") or the partition table,
// where the first FAT partition is the default and "PATH@N" picks
// partition N (1-4 primary, 5 and up logical). qcow2, dynamic VDI and VHD
// and sparse VMDK images are read through qemu (QemuDisk).
//
// An image is only read, never written, where writing would do harm: a
// base that snapshots are made on top of, a streamOptimized VMDK.

#include "platform/files/ImageBytes.h"
#include "platform/files/ImageContainer.h"
#include "platform/files/QemuDisk.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct ImageDriveName {
    std::string imagePath;
    int partition = 0;  // 0: the default choice
};

// "PATH" or "PATH@N". A PATH that exists as given wins over a split at '@',
// so a file whose name ends in "@2" stays reachable. nullopt when neither
// the whole text nor the part before "@N" is a regular file.
std::optional<ImageDriveName> ParseImageDriveName(const std::string& text);

struct ImageVolume {
    std::string dataFile{};    // the file mtools opens (the image or its extent)
    std::uint64_t offset = 0;  // where the FAT volume starts in it
    ContainerKind container = ContainerKind::Raw;
    int partition = 0;         // 0 for a superfloppy
    // For the kinds qemu reads: the disk whose raw form dataFile names.
    std::shared_ptr<QemuDisk> disk{};
    // Why nothing may be written into the image; empty when writing is fine.
    std::string readOnlyReason{};
};

struct ImageVolumeResult {
    std::optional<ImageVolume> volume;
    std::string error;               // one line, without the image's name
    std::vector<std::string> notes;  // lines worth telling, each the end of a sentence about the image
};

// The volume of a disk that starts at diskOffset in bytes and is diskSize
// long; the pure part, which the fuzz harness drives.
ImageVolumeResult LocateVolumeOnDisk(const ImageBytes& disk, std::uint64_t diskOffset, std::uint64_t diskSize,
                                     int partition);

// keepOpen: an image qemu reads stays open for the drive that comes after
// (a check's opening); see QemuDisks.
ImageVolumeResult LocateImageVolume(const ImageDriveName& named, bool keepOpen = false);

}  // namespace platform
