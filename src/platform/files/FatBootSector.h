#pragma once
// Recognising a FAT boot sector by its BIOS parameter block, so a
// "superfloppy" (a file system without a partition table) is told from a
// partitioned disk. Only the fields that say "this is FAT" and how long the
// volume is are read; everything inside the file system is mtools' work.

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

struct FatVolumeShape {
    std::uint32_t bytesPerSector = 0;
    std::uint64_t totalBytes = 0;  // what the boot sector claims
};

// nullopt unless the 512 bytes hold a plausible FAT12/16/32 boot sector.
std::optional<FatVolumeShape> ReadFatBootSector(const std::vector<std::uint8_t>& sector);

}  // namespace platform
