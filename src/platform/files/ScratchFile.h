#pragma once
// A host file name of our own for a short-lived intermediate (a picture
// rewritten before it goes into a disk image): in a private folder made for
// it, removed with everything in it when this object goes away.

#include <string>

namespace platform {

class ScratchFile {
public:
    explicit ScratchFile(const std::string& name);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    bool IsReady() const { return !path_.empty(); }
    // Empty when no private folder could be made.
    const std::string& Path() const { return path_; }

private:
    std::string folder_;
    std::string path_;
};

}  // namespace platform
