// The media registry of a VirtualBox machine file found beside a disk
// image: any text, well-formed XML or not.

#include "FuzzCheck.h"

#include "platform/files/VirtualBoxMedia.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<platform::VirtualBoxDisk> disks = platform::ReadVirtualBoxMedia(text);
    std::size_t children = 0;
    for (const platform::VirtualBoxDisk& disk : disks) {
        FUZZ_CHECK(disk.location.size() <= size);
        children += disk.children.size();
    }
    // Every child is a disk of its own, nested in one parent.
    FUZZ_CHECK(children < disks.size() || disks.empty());
    return 0;
}
