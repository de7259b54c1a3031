#pragma once
// One FAT volume inside an image file, worked on by mtools with a private
// configuration: MTOOLSRC names our own file, HOME points at our own folder
// (so no ~/.mtoolsrc is read) and no MTOOLS_* variable of the user reaches
// mtools. The volume is mtools' drive Z: at a byte offset into the file.
// The private folder goes away with this object; one left by a process
// that died is removed by the next one.

#include "platform/files/ChildProcess.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class MtoolsDrive {
public:
    MtoolsDrive(const std::string& dataFile, std::uint64_t offset);
    ~MtoolsDrive();
    MtoolsDrive(const MtoolsDrive&) = delete;
    MtoolsDrive& operator=(const MtoolsDrive&) = delete;

    bool IsReady() const { return !folder_.empty(); }
    // A folder of ours, for scratch files of the operations on this drive.
    const std::string& PrivateFolder() const { return folder_; }

    // "z:/" followed by the '/'-joined components.
    static std::string DrivePath(const std::vector<std::string>& components);

    // Runs an mtools command ("mdir", "mcopy", ...) with these arguments.
    ChildResult Run(const std::string& command, const std::vector<std::string>& arguments,
                    ChildLifetime lifetime = ChildLifetime::DiesWithUs) const;

private:
    std::string folder_;
};

}  // namespace platform
