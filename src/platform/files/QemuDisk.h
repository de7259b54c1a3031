#pragma once
// A disk image whose blocks qemu maps through tables (qcow2, dynamic VDI
// and VHD, sparse VMDK), as one raw disk in a host file mtools can work on
// at a plain offset. Nothing written to that file reaches the image until a
// change ends: then all of it reaches the image at once, through qemu's
// block layer, in place; a change that fails or is dropped leaves the image
// as it was, and so does a kill of ours before the change ends.
//
// Two ways to it: a view that qemu-storage-daemon exports over FUSE
// (QemuDiskView), and where FUSE cannot be used, a raw copy made once
// (QemuDiskCopy).

#include <string>

namespace platform {

class QemuDisk {
public:
    virtual ~QemuDisk() = default;

    // The raw disk mtools opens. Valid after Ready().
    virtual const std::string& RawPath() const = 0;
    // Makes RawPath readable now (a view that was stopped is started again).
    virtual bool Ready() = 0;

    // From here RawPath may be written; false when that cannot be arranged
    // (another program holds the image, which is asked here).
    virtual bool BeginChange() = 0;
    // keep: carry everything written since BeginChange into the image, in
    // place; false when it did not get there, and then the image is as it
    // was and RawPath shows it so again. Without keep the writes are dropped.
    virtual bool EndChange(bool keep) = 0;

    // One line for the handing over to another copy of this code in the
    // process (see QemuDisks); after it this object leaves its engine and
    // folder alone.
    virtual std::string HandOver() = 0;
};

}  // namespace platform
