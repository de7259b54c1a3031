#pragma once
// Running a helper program (mtools, qemu's tools) to completion and
// collecting what it prints, or starting one in the background. A child
// runs in a process group of its own, reads /dev/null, sees no terminal to
// ask questions on and dies with us (PR_SET_PDEATHSIG), except a child told
// to finish alone: one that carries a change into a disk image, which a kill
// of ours must not leave half done.

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

namespace platform {

struct ChildResult {
    bool started = false;
    int exitStatus = -1;  // -1 when it did not exit normally
    std::string out;
    std::string err;

    bool Succeeded() const { return started && exitStatus == 0; }
};

struct ChildEnvironment {
    // Variables to set for the child; all others are inherited except
    // those whose names start with one of the dropped prefixes.
    std::vector<std::pair<std::string, std::string>> set;
    std::vector<std::string> droppedPrefixes;
};

enum class ChildLifetime {
    DiesWithUs,     // SIGKILL when we die
    FinishesAlone,  // runs to its end even if we die first
};

// program is looked up in PATH when it holds no '/'.
ChildResult RunChild(const std::vector<std::string>& argv, const ChildEnvironment& environment,
                     ChildLifetime lifetime = ChildLifetime::DiesWithUs);

// A child left running: its output goes to logPath, and it gets deathSignal
// when we die (a daemon that cleans up after itself on SIGTERM). The process
// id, or -1 when it could not be forked; a program that cannot be run exits
// 127 at once.
pid_t StartChild(const std::vector<std::string>& argv, const std::string& logPath, int deathSignal);

// Whether a process of that id runs (exists and is no zombie).
bool IsProcessAlive(pid_t pid);

// Whether pid is a live child of this process (started by any copy of this
// code in it).
bool IsOwnChild(pid_t pid);

}  // namespace platform
