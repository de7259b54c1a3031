#pragma once
// A raw copy of a disk image whose blocks are mapped through tables (qcow2,
// dynamic VDI and VHD, sparse VMDK), made by qemu-img, so mtools can work on
// it at a plain offset. After a change to the copy, WriteBack carries the
// changed bytes into the image through qemu-io: onto a copy of the image
// beside it, which then replaces the image, so a failure or a kill leaves
// the old image or the new one. The image's own header (its identity for
// the virtual machine) stays as it is.
//
// The copy lives in a private folder, sparse, and goes away with this
// object; a folder left by a process that died is removed by the next one.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class RawMirror {
public:
    // format: qemu's name of the image format ("qcow2", "vdi", "vpc", "vmdk").
    RawMirror(std::string imagePath, std::string format);
    ~RawMirror();
    RawMirror(const RawMirror&) = delete;
    RawMirror& operator=(const RawMirror&) = delete;

    bool IsReady() const { return ready_; }
    // Why the copy could not be made (qemu-img's complaint), when not ready.
    const std::string& Problem() const { return problem_; }
    const std::string& RawPath() const { return rawPath_; }

    // Carries every byte that changed since the last write-back (or since
    // the copy was made) into the image. On failure the image is unchanged
    // and the raw copy is put back to match it.
    bool WriteBack();
    // Puts the raw copy back to match the image, after a change that failed.
    void Discard();

private:
    struct Range {
        std::uint64_t offset;
        std::uint64_t length;
    };
    std::vector<Range> ChangedRanges() const;
    bool ApplyToImage(const std::vector<Range>& ranges);
    void CopyRanges(const std::string& from, const std::string& to, const std::vector<Range>& ranges) const;

    std::string imagePath_;
    std::string format_;
    std::string folder_;
    std::string rawPath_;
    std::string basePath_;  // the raw disk as the image holds it now
    std::string problem_;
    bool ready_ = false;
};

}  // namespace platform
