#include "platform/files/ImageBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace platform {

std::optional<std::vector<std::uint8_t>> BufferImageBytes::Read(std::uint64_t offset, std::size_t length) const
{
    if (offset > bytes_.size() || length > bytes_.size() - offset)
        return std::nullopt;
    const auto begin = bytes_.begin() + static_cast<std::ptrdiff_t>(offset);
    return std::vector<std::uint8_t>(begin, begin + static_cast<std::ptrdiff_t>(length));
}

FileImageBytes::FileImageBytes(const std::string& hostPath)
    : fd_(open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK))
{
    struct stat info {};
    if (fd_ >= 0 && (fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))) {
        close(fd_);
        fd_ = -1;
    }
    if (fd_ >= 0)
        size_ = static_cast<std::uint64_t>(info.st_size);
}

FileImageBytes::~FileImageBytes()
{
    if (fd_ >= 0)
        close(fd_);
}

std::optional<std::vector<std::uint8_t>> FileImageBytes::Read(std::uint64_t offset, std::size_t length) const
{
    if (fd_ < 0 || offset > size_ || length > size_ - offset)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(length);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got = pread(fd_, bytes.data() + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return std::nullopt;
        done += static_cast<std::size_t>(got);
    }
    return bytes;
}

std::uint16_t Le16(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes.at(at) | (bytes.at(at + 1) << 8));
}

std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(Le16(bytes, at)) | (static_cast<std::uint32_t>(Le16(bytes, at + 2)) << 16);
}

std::uint64_t Le64(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::uint64_t>(Le32(bytes, at)) | (static_cast<std::uint64_t>(Le32(bytes, at + 4)) << 32);
}

std::uint32_t Be32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return (static_cast<std::uint32_t>(bytes.at(at)) << 24) | (static_cast<std::uint32_t>(bytes.at(at + 1)) << 16)
        | (static_cast<std::uint32_t>(bytes.at(at + 2)) << 8) | bytes.at(at + 3);
}

bool BytesStartWith(const std::vector<std::uint8_t>& bytes, std::string_view text)
{
    return bytes.size() >= text.size() &&
           std::equal(text.begin(), text.end(), bytes.begin(),
                      [](char c, std::uint8_t b) { return static_cast<std::uint8_t>(c) == b; });
}

}  // namespace platform
