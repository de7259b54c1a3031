#include "platform/files/PartitionTable.h"

#include <set>

namespace platform {

namespace {

constexpr std::size_t kFirstEntry = 446;
constexpr std::size_t kMaxLogical = 128;

bool IsExtendedType(std::uint8_t type)
{
    return type == 0x05 || type == 0x0F || type == 0x85;
}

bool HasSignature(const std::vector<std::uint8_t>& sector)
{
    return sector.size() >= 512 && sector[510] == 0x55 && sector[511] == 0xAA;
}

struct Entry {
    std::uint8_t status = 0;
    std::uint8_t type = 0;
    std::uint64_t firstSector = 0;
    std::uint64_t sectorCount = 0;
};

Entry EntryAt(const std::vector<std::uint8_t>& sector, int index)
{
    const std::size_t at = kFirstEntry + static_cast<std::size_t>(index) * 16;
    return {sector[at], sector[at + 4], Le32(sector, at + 8), Le32(sector, at + 12)};
}

void ReadLogicalChain(const ImageBytes& image, std::uint64_t base, std::uint64_t extendedStart,
                      std::vector<Partition>& partitions)
{
    std::uint64_t current = extendedStart;
    std::set<std::uint64_t> visited;
    int number = 5;
    while (visited.size() < kMaxLogical && visited.insert(current).second) {
        const auto sector = image.Read(base + current * kImageSector, kImageSector);
        if (!sector || !HasSignature(*sector))
            return;
        const Entry logical = EntryAt(*sector, 0);
        const Entry next = EntryAt(*sector, 1);
        if (logical.type != 0 && logical.sectorCount != 0)
            partitions.push_back({number++, logical.type, (current + logical.firstSector) * kImageSector,
                                  logical.sectorCount * kImageSector});
        if (!IsExtendedType(next.type) || next.firstSector == 0)
            return;
        // Each link is relative to the start of the whole extended partition.
        current = extendedStart + next.firstSector;
    }
}

}  // namespace

bool IsFatPartitionType(std::uint8_t type)
{
    return type == 0x01 || type == 0x04 || type == 0x06 || type == 0x0B || type == 0x0C || type == 0x0E;
}

std::vector<Partition> ReadPartitionTable(const ImageBytes& image, std::uint64_t base)
{
    std::vector<Partition> partitions;
    const auto sector = image.Read(base, kImageSector);
    if (!sector || !HasSignature(*sector))
        return partitions;
    std::optional<std::uint64_t> extended;
    for (int index = 0; index < 4; ++index) {
        const Entry entry = EntryAt(*sector, index);
        // A status other than 0x00 or 0x80 means this is no partition table.
        if (entry.status != 0x00 && entry.status != 0x80)
            return {};
        if (entry.type == 0 || entry.sectorCount == 0)
            continue;
        partitions.push_back(
            {index + 1, entry.type, entry.firstSector * kImageSector, entry.sectorCount * kImageSector});
        if (IsExtendedType(entry.type) && !extended)
            extended = entry.firstSector;
    }
    if (extended)
        ReadLogicalChain(image, base, *extended, partitions);
    return partitions;
}

}  // namespace platform
