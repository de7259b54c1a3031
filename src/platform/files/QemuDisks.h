#pragma once
// The disk images qemu reads that this run has open, each opened once
// however many checks and drives ask for it: through a FUSE view where FUSE
// can be used, else through a raw copy (and a note says so). A disk stays
// open while a drive uses it, and one a check opened stays open until the
// file system is installed (SetFileSystem), the disks are handed over, or
// the run ends.
//
// The host program checks its drives before it loads the applet module,
// which carries its own copy of this code: HandOverQemuDisks passes the
// open disks on through the environment, and the module's copy adopts them
// instead of opening them again.

#include "platform/files/QemuDisk.h"

#include <memory>
#include <string>

namespace platform {

struct QemuDiskOpening {
    std::shared_ptr<QemuDisk> disk;
    std::string problem;  // when there is no disk: the end of a sentence about the image
    std::string note;     // one line worth telling the user, e.g. that FUSE cannot be used
};

// kindName: how the image is called in a problem ("qcow2", "dynamic VDI").
// keep: the disk stays open after the caller lets go (a check's opening).
QemuDiskOpening OpenQemuDisk(const std::string& imagePath, const std::string& format, const std::string& kindName,
                             bool keep);

// Lets go of the disks checks kept open; those a drive uses stay.
void ReleaseKeptQemuDisks();

// Hands every open disk over to the next copy of this code in the process
// and forgets them here.
void HandOverQemuDisks();

}  // namespace platform
