#include "platform/win32/files/WholeFile.h"

#include "platform/WinTypes.h"

namespace platform::win32 {

namespace {

struct HandleCloser {
    HANDLE handle = INVALID_HANDLE_VALUE;
    ~HandleCloser()
    {
        if (handle != INVALID_HANDLE_VALUE)
            ::CloseHandle(handle);
    }
};

WholeFile Failed(WholeFileError error)
{
    WholeFile failed;
    failed.error = error;
    return failed;
}

// Reads of at most this much at a time keep a single ReadFile call modest.
constexpr DWORD kChunkBytes = 1u << 20;

}  // namespace

WholeFile ReadWholeFile(const std::string& path, std::uint64_t maxBytes)
{
    if (path.empty() || path.size() >= MAX_PATH || path.find('\0') != std::string::npos)
        return Failed(WholeFileError::NotFound);
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Failed(WholeFileError::NotFound);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return Failed(WholeFileError::NotAFile);

    HandleCloser file;
    file.handle = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file.handle == INVALID_HANDLE_VALUE)
        return Failed(WholeFileError::CannotOpen);
    // A console or a pipe has no size and could block the reader for ever.
    if (::GetFileType(file.handle) != FILE_TYPE_DISK)
        return Failed(WholeFileError::NotAFile);

    // GetFileSize rather than GetFileSizeEx, which Windows 98 lacks.
    DWORD high = 0;
    const DWORD low = ::GetFileSize(file.handle, &high);
    if (low == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR)
        return Failed(WholeFileError::ReadFailed);
    const std::uint64_t size = (static_cast<std::uint64_t>(high) << 32) | low;
    if (size > maxBytes || static_cast<std::uint64_t>(static_cast<std::size_t>(size)) != size)
        return Failed(WholeFileError::TooLarge);

    WholeFile whole;
    whole.bytes.resize(static_cast<std::size_t>(size));
    std::size_t done = 0;
    while (done < whole.bytes.size()) {
        const std::size_t left = whole.bytes.size() - done;
        const DWORD ask = left < kChunkBytes ? static_cast<DWORD>(left) : kChunkBytes;
        DWORD got = 0;
        if (::ReadFile(file.handle, whole.bytes.data() + done, ask, &got, nullptr) == FALSE || got == 0)
            return Failed(WholeFileError::ReadFailed);
        done += got;
    }
    return whole;
}

}  // namespace platform::win32
