#include "platform/files/RawMirror.h"

#include "platform/files/AtomicReplace.h"
#include "platform/files/ChildProcess.h"
#include "platform/files/PrivateFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <filesystem>

namespace platform {

namespace {

constexpr std::uint64_t kChunk = 64 * 1024;
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

struct Extent {
    std::uint64_t begin;
    std::uint64_t end;
};

std::vector<Extent> DataExtents(int fd, std::uint64_t size)
{
    std::vector<Extent> extents;
    off_t position = 0;
    while (static_cast<std::uint64_t>(position) < size) {
        const off_t data = lseek(fd, position, SEEK_DATA);
        if (data < 0)
            break;
        off_t hole = lseek(fd, data, SEEK_HOLE);
        if (hole < 0)
            hole = static_cast<off_t>(size);
        extents.push_back({static_cast<std::uint64_t>(data), static_cast<std::uint64_t>(hole)});
        position = hole;
    }
    return extents;
}

bool ReadFull(int fd, std::uint64_t offset, char* buffer, std::size_t length)
{
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got = pread(fd, buffer + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0) {
            std::fill(buffer + done, buffer + length, 0);
            return true;
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

// A sparse copy through the kernel: only the data extents are read.
bool CopySparse(int from, int to, std::uint64_t size)
{
    for (const Extent& extent : DataExtents(from, size)) {
        loff_t in = static_cast<loff_t>(extent.begin);
        loff_t out = in;
        std::uint64_t left = extent.end - extent.begin;
        while (left > 0) {
            const ssize_t moved = copy_file_range(from, &in, to, &out, left, 0);
            if (moved <= 0)
                return false;
            left -= static_cast<std::uint64_t>(moved);
        }
    }
    return ftruncate(to, static_cast<off_t>(size)) == 0;
}

bool CopyFileSparse(const std::string& from, const std::string& to)
{
    const Fd input(open(from.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (input.Get() < 0 || fstat(input.Get(), &info) != 0)
        return false;
    const Fd output(open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    return output.Get() >= 0 && CopySparse(input.Get(), output.Get(), static_cast<std::uint64_t>(info.st_size));
}

}  // namespace

RawMirror::RawMirror(std::string imagePath, std::string format)
    : imagePath_(std::move(imagePath)), format_(std::move(format))
{
    // A raw copy may be large: it goes where big temporary files belong.
    const char* temporary = std::getenv("TMPDIR");
    folder_ = MakePrivateFolder(temporary != nullptr && temporary[0] == '/' ? temporary : "/tmp", "lumivane-mirror");
    if (folder_.empty()) {
        problem_ = "no private folder for its raw copy";
        return;
    }
    rawPath_ = folder_ + "/disk.raw";
    basePath_ = folder_ + "/base.raw";
    const ChildResult converted =
        RunChild({"qemu-img", "convert", "-q", "-f", format_, "-O", "raw", imagePath_, rawPath_}, {});
    if (!converted.started) {
        problem_ = "needs qemu-img (qemu-utils), which is not installed";
        return;
    }
    if (!converted.Succeeded()) {
        const std::string why = converted.err.substr(0, converted.err.find('\n'));
        problem_ = "cannot be read by qemu-img" + (why.empty() ? std::string() : ": " + why);
        return;
    }
    ready_ = CopyFileSparse(rawPath_, basePath_);
    if (!ready_)
        problem_ = "no room for its raw copy";
}

RawMirror::~RawMirror()
{
    if (!folder_.empty()) {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
}

std::vector<RawMirror::Range> RawMirror::ChangedRanges() const
{
    std::vector<Range> ranges;
    const Fd now(open(rawPath_.c_str(), O_RDONLY | O_CLOEXEC));
    const Fd base(open(basePath_.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (now.Get() < 0 || base.Get() < 0 || fstat(now.Get(), &info) != 0)
        return ranges;
    const auto size = static_cast<std::uint64_t>(info.st_size);
    // Bytes can only have changed where either copy holds data.
    std::vector<Extent> extents = DataExtents(now.Get(), size);
    const std::vector<Extent> more = DataExtents(base.Get(), size);
    extents.insert(extents.end(), more.begin(), more.end());
    std::vector<std::uint64_t> chunks;
    for (const Extent& extent : extents) {
        for (std::uint64_t chunk = extent.begin / kChunk; chunk * kChunk < extent.end; ++chunk)
            chunks.push_back(chunk);
    }
    std::sort(chunks.begin(), chunks.end());
    chunks.erase(std::unique(chunks.begin(), chunks.end()), chunks.end());
    std::vector<char> a(kChunk);
    std::vector<char> b(kChunk);
    for (const std::uint64_t chunk : chunks) {
        const std::uint64_t offset = chunk * kChunk;
        const std::uint64_t length = std::min(kChunk, size - offset);
        if (!ReadFull(now.Get(), offset, a.data(), length) || !ReadFull(base.Get(), offset, b.data(), length))
            return {{0, size}};
        if (std::equal(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(length), b.begin()))
            continue;
        if (!ranges.empty() && ranges.back().offset + ranges.back().length == offset)
            ranges.back().length += length;
        else
            ranges.push_back({offset, length});
    }
    return ranges;
}

void RawMirror::CopyRanges(const std::string& from, const std::string& to, const std::vector<Range>& ranges) const
{
    const Fd input(open(from.c_str(), O_RDONLY | O_CLOEXEC));
    const Fd output(open(to.c_str(), O_WRONLY | O_CLOEXEC));
    if (input.Get() < 0 || output.Get() < 0)
        return;
    for (const Range& range : ranges) {
        loff_t in = static_cast<loff_t>(range.offset);
        loff_t out = in;
        std::uint64_t left = range.length;
        while (left > 0) {
            const ssize_t moved = copy_file_range(input.Get(), &in, output.Get(), &out, left, 0);
            if (moved <= 0)
                return;
            left -= static_cast<std::uint64_t>(moved);
        }
    }
}

bool RawMirror::ApplyToImage(const std::vector<Range>& ranges)
{
    AtomicReplace replacement(imagePath_);
    struct stat info {};
    const Fd image(open(imagePath_.c_str(), O_RDONLY | O_CLOEXEC));
    if (!replacement.IsOpen() || image.Get() < 0 || fstat(image.Get(), &info) != 0 ||
        !CopySparse(image.Get(), replacement.Descriptor(), static_cast<std::uint64_t>(info.st_size)))
        return false;

    std::vector<std::string> argv{"qemu-io", "-f", format_};
    const Fd raw(open(rawPath_.c_str(), O_RDONLY | O_CLOEXEC));
    if (raw.Get() < 0)
        return false;
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        const std::string piece = folder_ + "/piece-" + std::to_string(i);
        const Fd out(open(piece.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
        loff_t in = static_cast<loff_t>(ranges[i].offset);
        std::uint64_t left = ranges[i].length;
        while (left > 0) {
            const ssize_t moved = copy_file_range(raw.Get(), &in, out.Get(), nullptr, left, 0);
            if (moved <= 0)
                return false;
            left -= static_cast<std::uint64_t>(moved);
        }
        argv.push_back("-c");
        argv.push_back("write -q -s " + piece + " " + std::to_string(ranges[i].offset) + " " +
                       std::to_string(ranges[i].length));
    }
    argv.push_back(replacement.TempPath());
    const ChildResult written = RunChild(argv, {});
    for (std::size_t i = 0; i < ranges.size(); ++i)
        std::remove((folder_ + "/piece-" + std::to_string(i)).c_str());
    // qemu-io reports a failed request on its output and still exits 0.
    if (!written.Succeeded() || !written.err.empty() || written.out.find("error") != std::string::npos)
        return false;
    return replacement.Commit(true);
}

bool RawMirror::WriteBack()
{
    if (!ready_)
        return false;
    const std::vector<Range> ranges = ChangedRanges();
    if (ranges.empty())
        return true;
    if (ApplyToImage(ranges)) {
        CopyRanges(rawPath_, basePath_, ranges);
        return true;
    }
    // The image did not change: neither may the copy mtools works on.
    CopyRanges(basePath_, rawPath_, ranges);
    return false;
}

void RawMirror::Discard()
{
    if (ready_)
        CopyRanges(basePath_, rawPath_, ChangedRanges());
}

}  // namespace platform
