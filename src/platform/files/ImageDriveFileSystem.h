#pragma once
// A drive letter that is a FAT volume inside a disk image, worked on by
// mtools; the second implementation of FileSystem beside the folder drives.
//
// Names are found without regard to case by their long and their 8.3
// names; a new file gets the spelling asked for (the long name "Logo.sys"
// with the 8.3 name "LOGO.SYS"), an existing one keeps its own. Attributes
// are the FAT attribute byte itself. A copy into the image goes to a
// temporary name first and takes the target's place only when complete.
// Nothing is written while another program has the image in use, nor into
// an image that is only to be read (ImageVolume's readOnlyReason).
//
// Changes inside a batch reach an image qemu reads together when the batch
// ends (QemuDisk); outside one, each change is its own batch. The listings
// mtools gave are kept and brought up to date by our own changes, and
// dropped when another program changes the image.
//
// Code that opens files itself gets, from Resolve, a read-only copy of an
// existing file in the user's cache folder: no Linux program can open a
// path inside an image. New files have no host path.

#include "platform/files/FileSystem.h"
#include "platform/files/ImageVolume.h"
#include "platform/files/MtoolsDrive.h"
#include "platform/files/MtoolsListing.h"

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace platform {

class ImageDriveFileSystem final : public FileSystem {
public:
    ImageDriveFileSystem(char letter, std::string imagePath, const ImageVolume& volume);
    ~ImageDriveFileSystem() override;

    char Letter() const { return letter_; }

    std::optional<std::string> Resolve(const std::string& path) const override;
    bool Exists(const std::string& path) const override;
    DWORD GetAttributes(const std::string& path) const override;
    bool SetAttributes(const std::string& path, DWORD attributes) override;
    // Either side may also be a host path.
    bool Copy(const std::string& source, const std::string& target, bool failIfExists) override;
    bool Delete(const std::string& path) override;
    bool ResolvesToTheFile(const std::string& path) const override { return !OnThisDrive(path); }
    // One mcopy for all the files, whose copies Resolve then hands out
    // until the image changes.
    void ReadAhead(const std::vector<std::string>& paths) const override;
    void BeginBatch() override { ++batchDepth_; }
    bool EndBatch() override;

    // A copy of a file of this drive into a scratch file of ours, which the
    // caller removes; nullopt when it does not exist or cannot be read.
    std::optional<std::string> ExtractToScratch(const std::string& path) const;
    // Copies a host file to a path of this drive, the attributes given
    // (read-only, hidden, system; archive is set as on any new copy).
    bool ImportHostFile(const std::string& hostSource, const std::string& target, bool failIfExists,
                        DWORD attributes);
    // Copies a file of this drive to a host path, with its attributes.
    bool ExportToHost(const std::string& source, const std::string& hostTarget, bool failIfExists) const;

private:
    struct Found {
        std::vector<std::string> realComponents;  // as mtools shows them
        std::optional<ImageEntry> entry;          // nullopt for the root
    };
    struct Stamp {
        long long modified = 0;
        long long size = 0;
        unsigned long long inode = 0;
        bool operator==(const Stamp&) const = default;
    };
    // Attribute changes of one kind in a row, made by one mattrib.
    struct PendingAttributes {
        std::vector<std::string> flags;
        std::vector<std::string> paths;
    };

    bool OnThisDrive(const std::string& path) const;
    std::optional<Found> Find(const std::string& path) const;
    // The real folder and the asked name of a file that may not exist yet.
    std::optional<std::pair<Found, std::string>> FindParent(const std::string& path) const;
    const std::vector<ImageEntry>* Listing(const std::vector<std::string>& realFolder) const;
    ImageEntry* CachedEntry(const std::vector<std::string>& realPath);
    std::optional<std::vector<std::uint8_t>> ReadBytes(const std::vector<std::string>& realPath) const;
    std::string CopyPath(const std::vector<std::string>& realPath) const;
    // Writes the read-only copy Resolve hands out; false when it cannot.
    bool StoreCopy(const std::string& hostPath, const std::vector<std::uint8_t>& bytes) const;
    // One mcopy of files whose names all differ into the copies' places.
    void ReadAheadOnce(const std::vector<Found>& files) const;
    ChildResult Run(const std::string& command, const std::vector<std::string>& arguments) const;
    ChildLifetime WriteLifetime() const;
    bool RunWrite(const std::string& command, const std::vector<std::string>& arguments);
    bool FlushAttributes() const;
    bool MayWrite() const;
    // Before a write: false when nothing may be written now.
    bool StartChange();
    // After a write: outside a batch the change ends here. False when it
    // is not in the image.
    bool Finish(bool changed);
    bool EndChange(bool keep);
    void Forget() const;
    Stamp CurrentStamp() const;
    void RemoveStaleTemporaries(const std::vector<std::string>& realFolder);

    char letter_;
    std::string imagePath_;
    std::string dataFile_;
    std::string stampFile_;
    std::string cacheFolder_;
    std::string readOnlyReason_;
    std::shared_ptr<QemuDisk> disk_;
    MtoolsDrive mtools_;
    int batchDepth_ = 0;
    bool changing_ = false;
    bool batchFailed_ = false;
    mutable std::optional<PendingAttributes> pendingAttributes_;
    mutable bool pendingFailed_ = false;
    mutable Stamp stamp_;
    mutable std::map<std::string, std::vector<ImageEntry>> listings_;
    // Copies read ahead that still show the image: handed out without
    // reading again.
    mutable std::set<std::string> currentCopies_;
};

}  // namespace platform
