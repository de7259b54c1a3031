#include "platform/files/QemuDiskCopy.h"

#include "platform/files/ChildProcess.h"
#include "platform/files/DiskSpace.h"
#include "platform/files/FileDescriptor.h"
#include "platform/files/HandOverLine.h"
#include "platform/files/ImageHolders.h"
#include "platform/files/PrivateFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string_view>

namespace platform {

namespace {

constexpr std::string_view kCopyFolderPrefix = "lumivane-copy";
constexpr std::uint64_t kChunk = 64 * 1024;

bool ReadFull(int fd, std::uint64_t offset, char* buffer, std::size_t length)
{
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got = pread(fd, buffer + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

std::uint64_t Hash(std::string_view bytes)
{
    return std::hash<std::string_view>{}(bytes);
}

std::string FirstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

}  // namespace

QemuDiskCopy::QemuDiskCopy(std::string imagePath, std::string format, std::string folder)
    : image_(std::move(imagePath)), format_(std::move(format)), folder_(std::move(folder)), rawPath_(folder_ + "/disk.raw")
{
}

std::unique_ptr<QemuDiskCopy> QemuDiskCopy::Open(const std::string& imagePath, const std::string& format,
                                                 std::string& problem)
{
    const std::string root = LargeTemporaryRoot();
    const std::string folder = MakePrivateFolder(root, kCopyFolderPrefix);
    if (folder.empty()) {
        problem = "for whose raw copy no private folder can be made in " + root;
        return nullptr;
    }
    std::unique_ptr<QemuDiskCopy> copy(new QemuDiskCopy(imagePath, format, folder));
    if (!copy->MakeCopy(problem))
        return nullptr;
    return copy;
}

bool QemuDiskCopy::MakeCopy(std::string& problem)
{
    std::remove(rawPath_.c_str());
    baseline_.clear();
    // The copy holds what the image holds, or less (zeros stay holes).
    if (FreeBytes(folder_) < AllocatedBytes(image_)) {
        problem = "whose raw copy does not fit in " + LargeTemporaryRoot();
        return false;
    }
    // -U: reading is allowed while a virtual machine has the image.
    const ChildResult converted =
        RunChild({"qemu-img", "convert", "-q", "-U", "-f", format_, "-O", "raw", image_, rawPath_}, {});
    if (!converted.started) {
        problem = "that needs qemu-img (qemu-utils), which is not installed";
        return false;
    }
    if (!converted.Succeeded()) {
        const std::string why = FirstLine(converted.err);
        problem = why.find("No space left") != std::string::npos
                      ? "whose raw copy does not fit in " + LargeTemporaryRoot()
                      : "that cannot be read by qemu-img" + (why.empty() ? std::string() : ": " + why);
        std::remove(rawPath_.c_str());
        return false;
    }
    stale_ = false;
    return true;
}

QemuDiskCopy::~QemuDiskCopy()
{
    if (handedOver_)
        return;
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
}

bool QemuDiskCopy::Ready()
{
    std::string problem;
    return !stale_ || MakeCopy(problem);
}

std::vector<std::uint64_t> QemuDiskCopy::ChunkHashes() const
{
    const FileDescriptor raw(open(rawPath_.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (raw.Get() < 0 || fstat(raw.Get(), &info) != 0)
        return {};
    const auto size = static_cast<std::uint64_t>(info.st_size);
    const std::vector<char> zeros(kChunk, 0);
    std::vector<std::uint64_t> hashes((size + kChunk - 1) / kChunk, Hash({zeros.data(), kChunk}));
    std::vector<char> buffer(kChunk);
    // Holes read as zeros: only the chunks that hold data are read.
    off_t position = 0;
    while (static_cast<std::uint64_t>(position) < size) {
        const off_t data = lseek(raw.Get(), position, SEEK_DATA);
        if (data < 0)
            break;
        off_t hole = lseek(raw.Get(), data, SEEK_HOLE);
        if (hole < 0)
            hole = static_cast<off_t>(size);
        for (std::uint64_t chunk = static_cast<std::uint64_t>(data) / kChunk;
             chunk * kChunk < static_cast<std::uint64_t>(hole); ++chunk) {
            const std::size_t length = static_cast<std::size_t>(std::min(kChunk, size - chunk * kChunk));
            if (!ReadFull(raw.Get(), chunk * kChunk, buffer.data(), length))
                return {};
            std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(length), buffer.end(), 0);
            hashes[chunk] = Hash({buffer.data(), kChunk});
        }
        position = hole;
    }
    return hashes;
}

std::vector<QemuDiskCopy::Range> QemuDiskCopy::ChangedRanges(const std::vector<std::uint64_t>& now) const
{
    std::vector<Range> ranges;
    struct stat info {};
    if (stat(rawPath_.c_str(), &info) != 0)
        return ranges;
    const auto size = static_cast<std::uint64_t>(info.st_size);
    for (std::size_t chunk = 0; chunk < now.size(); ++chunk) {
        if (chunk < baseline_.size() && now[chunk] == baseline_[chunk])
            continue;
        const std::uint64_t offset = chunk * kChunk;
        const std::uint64_t length = std::min(kChunk, size - offset);
        if (!ranges.empty() && ranges.back().offset + ranges.back().length == offset)
            ranges.back().length += length;
        else
            ranges.push_back({offset, length});
    }
    return ranges;
}

bool QemuDiskCopy::BeginChange()
{
    if (changing_)
        return true;
    if (!Ready() || IsImageInUseElsewhere(image_))
        return false;
    if (baseline_.empty())
        baseline_ = ChunkHashes();
    changing_ = !baseline_.empty();
    return changing_;
}

bool QemuDiskCopy::WriteIntoImage(const std::vector<Range>& ranges)
{
    std::vector<std::string> argv{"qemu-io", "-f", format_};
    const FileDescriptor raw(open(rawPath_.c_str(), O_RDONLY | O_CLOEXEC));
    if (raw.Get() < 0)
        return false;
    std::vector<std::string> pieces;
    bool copied = true;
    for (std::size_t i = 0; i < ranges.size() && copied; ++i) {
        pieces.push_back(folder_ + "/piece-" + std::to_string(i));
        const FileDescriptor out(open(pieces.back().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
        loff_t in = static_cast<loff_t>(ranges[i].offset);
        std::uint64_t left = ranges[i].length;
        while (copied && left > 0) {
            const ssize_t moved = copy_file_range(raw.Get(), &in, out.Get(), nullptr, left, 0);
            copied = moved > 0;
            left -= copied ? static_cast<std::uint64_t>(moved) : 0;
        }
        argv.push_back("-c");
        argv.push_back("write -q -s " + pieces.back() + " " + std::to_string(ranges[i].offset) + " " +
                       std::to_string(ranges[i].length));
    }
    argv.push_back(image_);
    // Finishes even if we die now: a write-back cut short would leave the
    // image half changed.
    const ChildResult written = copied ? RunChild(argv, {}, ChildLifetime::FinishesAlone) : ChildResult{};
    for (const std::string& piece : pieces)
        std::remove(piece.c_str());
    // qemu-io reports a failed request on its output and still exits 0.
    return written.Succeeded() && written.err.empty() && written.out.find("error") == std::string::npos;
}

bool QemuDiskCopy::EndChange(bool keep)
{
    if (!changing_)
        return !keep;
    changing_ = false;
    std::vector<std::uint64_t> now = ChunkHashes();
    const std::vector<Range> ranges = ChangedRanges(now);
    if (ranges.empty())
        return true;
    if (keep && !now.empty() && WriteIntoImage(ranges)) {
        baseline_ = std::move(now);
        return true;
    }
    // The copy shows writes the image did not get: it is made afresh before
    // it is read again.
    stale_ = true;
    baseline_.clear();
    return false;
}

std::string QemuDiskCopy::HandOver()
{
    std::string line = HandOverLine({"copy", image_, format_, folder_, stale_ ? "stale" : "fresh"});
    handedOver_ = !line.empty();
    return line;
}

std::unique_ptr<QemuDiskCopy> QemuDiskCopy::Adopt(const std::string& line)
{
    const std::vector<std::string> fields = ReadHandOverLine(line);
    if (fields.size() != 5 || fields[0] != "copy" ||
        !IsOwnPrivateFolder(fields[3], LargeTemporaryRoot(), kCopyFolderPrefix))
        return nullptr;
    std::unique_ptr<QemuDiskCopy> copy(new QemuDiskCopy(fields[1], fields[2], fields[3]));
    copy->stale_ = fields[4] != "fresh" || access(copy->rawPath_.c_str(), R_OK) != 0;
    return copy;
}

}  // namespace platform
