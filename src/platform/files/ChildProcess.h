#pragma once
// Running a helper program (mtools) to completion and collecting what it
// prints. The child never outlives us: it dies with its parent
// (PR_SET_PDEATHSIG), runs in a process group of its own, reads /dev/null and
// sees no terminal to ask questions on.

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

// program is looked up in PATH when it holds no '/'.
ChildResult RunChild(const std::vector<std::string>& argv, const ChildEnvironment& environment);

}  // namespace platform
