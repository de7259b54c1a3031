#pragma once
// The MBR partition table of a disk image, logical partitions included,
// numbered as Linux numbers them: 1-4 the primary entries, 5 and up the
// logical partitions in the order of the extended partition's chain.

#include "platform/files/ImageBytes.h"

#include <cstdint>
#include <vector>

namespace platform {

struct Partition {
    int number = 0;
    std::uint8_t type = 0;
    std::uint64_t startByte = 0;  // from the start of the disk
    std::uint64_t sizeBytes = 0;
};

// FAT12, FAT16 (small, large, LBA) and FAT32 (CHS, LBA).
bool IsFatPartitionType(std::uint8_t type);

// Empty when sector 0 carries no MBR signature or no sane entry. Chains of
// logical partitions are followed until they end, loop or leave the disk.
// base is where the disk starts inside the image file.
std::vector<Partition> ReadPartitionTable(const ImageBytes& image, std::uint64_t base);

}  // namespace platform
