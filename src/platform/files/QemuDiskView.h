#pragma once
// A disk image as a raw file that qemu-storage-daemon exports over FUSE, so
// nothing is copied: reads go through qemu's block layer into the image.
// The view is read-only and takes no lock (a virtual machine may hold the
// image meanwhile; writing is refused then by other checks). A change is
// made on a view of an overlay of ours on top of the image (a qcow2 file in
// the view's folder); ending it stops the daemon and commits the overlay
// into the image with qemu-img, which finishes even if we are killed, so
// the image gets the whole change or none of it.

#include "platform/files/QemuDisk.h"
#include "platform/files/StorageDaemon.h"

#include <memory>
#include <string>

namespace platform {

class QemuDiskView final : public QemuDisk {
public:
    // format: qemu's driver name ("qcow2", "vdi", "vpc", "vmdk"). nullptr
    // when no view could be made, with why in problem: the end of a sentence
    // about the image, or when fuseToBlame, why FUSE cannot be used.
    static std::unique_ptr<QemuDiskView> Open(const std::string& imagePath, const std::string& format,
                                              std::string& problem, bool& fuseToBlame);
    // One from a line of HandOver in this process; nullptr when the line
    // does not describe a live view of ours.
    static std::unique_ptr<QemuDiskView> Adopt(const std::string& line);
    ~QemuDiskView() override;

    const std::string& RawPath() const override { return view_; }
    bool Ready() override;
    bool BeginChange() override;
    bool EndChange(bool keep) override;
    std::string HandOver() override;

private:
    QemuDiskView(std::string imagePath, std::string format, std::string folder);
    bool StartReading(std::string& problem, bool& fuseToBlame);
    bool Commit();

    std::string image_;
    std::string format_;
    std::string folder_;
    std::string view_;
    std::string overlay_;
    StorageDaemon daemon_;
    bool changing_ = false;
    bool handedOver_ = false;
};

// Why FUSE cannot be used here, before a daemon is tried; empty when it may.
std::string FuseUnavailableReason();

}  // namespace platform
