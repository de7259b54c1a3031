#pragma once
// One qemu-storage-daemon of ours, exporting a disk as a raw file over
// FUSE: our child in a process group of its own, told to quit (SIGTERM,
// which makes it flush and unmount) when we die, stopped and its view
// unmounted when this object goes away. Its process id is kept in a file
// beside the view, so a run that finds the folder of a dead one can end a
// daemon that outlived it.

#include <sys/types.h>

#include <string>
#include <vector>

namespace platform {

class StorageDaemon {
public:
    StorageDaemon() = default;
    ~StorageDaemon() { Stop(); }
    StorageDaemon(const StorageDaemon&) = delete;
    StorageDaemon& operator=(const StorageDaemon&) = delete;

    struct Failure {
        std::string why;           // the daemon's first complaint, or ours
        bool exportFailed = false;  // the export (FUSE), not a block device, failed
    };
    // Starts the daemon with these arguments and waits until its view is
    // mounted on mountPoint. On failure: false, why in failure, and nothing
    // left running.
    bool Start(const std::vector<std::string>& arguments, const std::string& mountPoint, Failure& failure);
    // Asks it to quit and waits; one that does not is killed and its view
    // detached. True when it quit cleanly (everything flushed).
    bool Stop();
    bool Running() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }

    // Takes over a daemon another copy of this code started in this
    // process; Release forgets ours without stopping it.
    void Adopt(pid_t pid, const std::string& mountPoint);
    void Release() { pid_ = -1; }

    // The file beside a view that holds its daemon's process id.
    static std::string PidFileFor(const std::string& mountPoint);

private:
    pid_t pid_ = -1;
    std::string mountPoint_;
};

}  // namespace platform
