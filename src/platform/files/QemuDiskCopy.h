#pragma once
// Where FUSE cannot be used: a disk image as a raw copy that qemu-img makes
// once per run, in a private folder where large temporary files belong
// ($TMPDIR, else /var/tmp, which unlike a tmpfs /tmp is on disk). A change
// is found by a hash of every 64 KiB of the copy taken when the change
// begins, so there is no second copy to compare against; only the chunks
// whose hash differs are written into the image, in place, by one qemu-io
// that finishes even if we are killed.

#include "platform/files/QemuDisk.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class QemuDiskCopy final : public QemuDisk {
public:
    // nullptr when no copy could be made, with why in problem, the end of a
    // sentence that starts "is a qcow2 image ".
    static std::unique_ptr<QemuDiskCopy> Open(const std::string& imagePath, const std::string& format,
                                              std::string& problem);
    static std::unique_ptr<QemuDiskCopy> Adopt(const std::string& line);
    ~QemuDiskCopy() override;

    const std::string& RawPath() const override { return rawPath_; }
    bool Ready() override;
    bool BeginChange() override;
    bool EndChange(bool keep) override;
    std::string HandOver() override;

private:
    struct Range {
        std::uint64_t offset;
        std::uint64_t length;
    };
    QemuDiskCopy(std::string imagePath, std::string format, std::string folder);
    bool MakeCopy(std::string& problem);
    std::vector<std::uint64_t> ChunkHashes() const;
    std::vector<Range> ChangedRanges(const std::vector<std::uint64_t>& now) const;
    bool WriteIntoImage(const std::vector<Range>& ranges);

    std::string image_;
    std::string format_;
    std::string folder_;
    std::string rawPath_;
    std::vector<std::uint64_t> baseline_;  // empty outside a change
    bool stale_ = false;                   // the copy no longer shows the image
    bool changing_ = false;
    bool handedOver_ = false;
};

}  // namespace platform
