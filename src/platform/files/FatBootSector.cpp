#include "platform/files/FatBootSector.h"

#include "platform/files/ImageBytes.h"

namespace platform {

namespace {

bool IsPowerOfTwo(std::uint32_t value)
{
    return value != 0 && (value & (value - 1)) == 0;
}

}  // namespace

std::optional<FatVolumeShape> ReadFatBootSector(const std::vector<std::uint8_t>& sector)
{
    if (sector.size() < 512)
        return std::nullopt;
    const bool jumps = (sector[0] == 0xEB && sector[2] == 0x90) || sector[0] == 0xE9;
    const std::uint32_t bytesPerSector = Le16(sector, 11);
    const std::uint32_t sectorsPerCluster = sector[13];
    const std::uint32_t reserved = Le16(sector, 14);
    const std::uint32_t fats = sector[16];
    const std::uint32_t media = sector[21];
    const std::uint32_t smallTotal = Le16(sector, 19);
    const std::uint32_t largeTotal = Le32(sector, 32);
    const std::uint32_t fatSize = Le16(sector, 22) != 0 ? Le16(sector, 22) : Le32(sector, 36);
    if (!jumps || bytesPerSector < 512 || bytesPerSector > 4096 || !IsPowerOfTwo(bytesPerSector) ||
        !IsPowerOfTwo(sectorsPerCluster) || sectorsPerCluster > 128 || reserved == 0 || fats == 0 || fats > 2 ||
        (media != 0xF0 && media < 0xF8) || fatSize == 0 || (smallTotal == 0 && largeTotal == 0))
        return std::nullopt;
    FatVolumeShape shape;
    shape.bytesPerSector = bytesPerSector;
    shape.totalBytes = static_cast<std::uint64_t>(smallTotal != 0 ? smallTotal : largeTotal) * bytesPerSector;
    return shape;
}

}  // namespace platform
