#pragma once
// A whole file read into memory through kernel32, for readers that decode
// from bytes (pictures, help text). The size is checked before anything is
// allocated for it.

#include <cstdint>
#include <string>
#include <vector>

namespace platform::win32 {

enum class WholeFileError {
    None,
    NotFound,    // no file or folder by that name
    NotAFile,    // a folder or a device
    CannotOpen,  // there, but it cannot be opened (sharing, permission)
    TooLarge,    // more bytes than the caller takes
    ReadFailed,  // opened, but reading stopped short
};

struct WholeFile {
    std::vector<std::uint8_t> bytes;
    WholeFileError error = WholeFileError::None;

    explicit operator bool() const { return error == WholeFileError::None; }
};

// path is a Windows path as the system takes it.
WholeFile ReadWholeFile(const std::string& path, std::uint64_t maxBytes);

}  // namespace platform::win32
