// The first bytes of a file given as a drive, or found beside one: container
// headers (VHD footer, VDI header and block map, VMDK descriptor, qcow2
// magic), what they say about a parent image, the partition table with its
// chain of logical partitions, and FAT boot sectors.

#include "FuzzCheck.h"

#include "platform/files/ImageContainer.h"
#include "platform/files/ImageLineage.h"
#include "platform/files/ImageVolume.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const platform::BufferImageBytes image(std::vector<std::uint8_t>(data, data + size));
    const platform::ImageContainer container = platform::DetectContainer(image);
    if (container.kind == platform::ContainerKind::VhdFixed)
        FUZZ_CHECK(container.diskSize + 512 == size);
    const platform::ImageLineage lineage = platform::ReadImageLineage(image);
    FUZZ_CHECK(lineage.parentName.size() <= 64 * 1024);
    for (int partition = 0; partition <= 6; partition += 3) {
        const platform::ImageVolumeResult result = platform::LocateVolumeOnDisk(image, 0, size, partition);
        FUZZ_CHECK(result.volume.has_value() != !result.error.empty());
        if (result.volume) {
            FUZZ_CHECK(result.volume->offset < size);
            FUZZ_CHECK(partition == 0 || result.volume->partition == partition);
        }
    }
    return 0;
}
