#pragma once
// Writing a file so that readers see either the old content or the complete
// new one: the bytes go to a temporary file beside the target, which is
// flushed to disk, renamed over the target and followed by a flush of the
// folder. A temporary file that is not committed is removed when this object
// goes away.
//
// A target that is a symbolic link is written through: the file it names is
// replaced and the link stays. A replaced file keeps its permission mode; a
// new one gets the usual mode of a new file (0666 less the umask).
//
// Every temporary file has a name of the form TemporaryFileName describes and
// is locked while it is written. A process killed at the wrong moment leaves
// its temporary behind unlocked; such leftovers are removed from the folder
// before the next replacement there.

#include <span>
#include <string>
#include <string_view>

namespace platform {

// ".lumva-XXXXXX.tmp": short, whatever the target's name, so it never
// passes NAME_MAX, and one pattern for every writer.
bool IsTemporaryFileName(std::string_view name);

class AtomicReplace {
public:
    explicit AtomicReplace(std::string targetHostPath);
    ~AtomicReplace();
    AtomicReplace(const AtomicReplace&) = delete;
    AtomicReplace& operator=(const AtomicReplace&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }
    const std::string& TempPath() const { return tempPath_; }
    // The file that is replaced: the target with its links followed.
    const std::string& FinalTarget() const { return target_; }

    bool Write(std::span<const char> bytes);

    // Flushes, closes and renames into place. With replaceExisting false an
    // existing target (even one created meanwhile) is left alone and the
    // commit fails. On failure the temporary file is gone.
    bool Commit(bool replaceExisting);

private:
    void Discard();

    std::string target_;
    std::string tempPath_;
    int fd_ = -1;
    bool committed_ = false;
};

}  // namespace platform
