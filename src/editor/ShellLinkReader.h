#pragma once
// Where a Windows shortcut points: the target of a Shell Link (.lnk) file,
// read from its bytes alone. A shortcut is data the user hands us, so every
// field is checked against the bytes that are there, and a bad file is an
// error value, never a crash.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

enum class ShellLinkTargetKind {
    LocalPath,     // a full Windows path: LinkInfo's local base path and suffix
    RelativePath,  // relative to the folder that holds the shortcut
};

struct ShellLinkTarget {
    ShellLinkTargetKind kind = ShellLinkTargetKind::LocalPath;
    std::string path;  // UTF-8, with the Windows separators as stored
};

enum class ShellLinkErrorKind {
    Truncated,  // a structure runs past the end of the file
    Malformed,  // not a shortcut, or fields that contradict each other
    NoTarget,   // a valid shortcut without a local or relative path
};

struct ShellLinkError {
    ShellLinkErrorKind kind = ShellLinkErrorKind::Malformed;
    std::string reason;
};

struct ShellLinkResult {
    std::optional<ShellLinkTarget> target;  // set on success
    ShellLinkError error;                   // why not, otherwise
};

// The local base path (with its common path suffix) when the link has one,
// else its relative path.
ShellLinkResult ReadShellLinkTarget(const std::uint8_t* data, std::size_t size);
