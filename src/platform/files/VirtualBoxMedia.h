#pragma once
// The media registry of a VirtualBox machine file (.vbox): its hard disks
// and, nested inside each, the differencing images (snapshots) made on top
// of it.
//
//   <MediaRegistry><HardDisks>
//     <HardDisk uuid="{...}" location="Win98.vdi" format="VDI">
//       <HardDisk uuid="{...}" location="Snapshots/{...}.vdi" format="VDI"/>
//     </HardDisk>
//   </HardDisks></MediaRegistry>

#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct VirtualBoxDisk {
    std::string location;               // as written: relative to the .vbox's folder, or absolute
    std::vector<std::string> children;  // the locations of the images directly on top of it
};

// Every hard disk of the registry, outer ones first; empty for text that is
// not well-formed XML.
std::vector<VirtualBoxDisk> ReadVirtualBoxMedia(std::string_view xml);

}  // namespace platform
