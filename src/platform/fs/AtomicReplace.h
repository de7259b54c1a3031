#pragma once
// Writing a file so that readers see either the old content or the complete
// new one: the bytes go to a temporary file beside the target, which is
// renamed over the target only once it is complete and flushed. A temporary
// file that is not committed is removed when this object goes away.

#include <span>
#include <string>

namespace platform {

class AtomicReplace {
public:
    explicit AtomicReplace(std::string targetHostPath);
    ~AtomicReplace();
    AtomicReplace(const AtomicReplace&) = delete;
    AtomicReplace& operator=(const AtomicReplace&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }
    const std::string& TempPath() const { return tempPath_; }

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
