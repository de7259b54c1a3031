#include "platform/files/QemuDiskView.h"

#include "platform/files/ChildProcess.h"
#include "platform/files/DiskSpace.h"
#include "platform/files/HandOverLine.h"
#include "platform/files/ImageHolders.h"
#include "platform/files/MountedViews.h"
#include "platform/files/PrivateFolder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace platform {

namespace {

constexpr std::string_view kViewFolderPrefix = "lumivane-view";
// Small clusters keep what a change copies up (and commits) small; the
// overlay is scratch, so its refcounts may lag (they are never needed).
constexpr std::string_view kOverlayOptions = "cluster_size=4096,lazy_refcounts=on";
// A commit into a VDI or VHD may allocate whole blocks of 1 or 2 MB.
constexpr std::uint64_t kCommitMargin = 16u * 1024 * 1024;

std::string JsonString(const std::string& text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string Export(const std::string& mountPoint, bool writable)
{
    return R"({"type":"fuse","id":"view","node-name":"disk","mountpoint":)" + JsonString(mountPoint) +
           R"(,"writable":)" + (writable ? "true" : "false") + R"(,"allow-other":"off"})";
}

bool OnPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string folder = folders.substr(start, end - start);
        if (!folder.empty() && access((folder + "/" + program).c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

std::uint64_t FreeBytesBeside(const std::string& path)
{
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return FreeBytes(folder.empty() ? "." : folder);
}

}  // namespace

std::string FuseUnavailableReason()
{
    const char* switchedOff = std::getenv("LUMIVANE_NO_FUSE");
    if (switchedOff != nullptr && switchedOff[0] != '\0' && std::strcmp(switchedOff, "0") != 0)
        return "LUMIVANE_NO_FUSE is set";
    const int fuse = open("/dev/fuse", O_RDWR | O_CLOEXEC);
    if (fuse < 0)
        return std::string("/dev/fuse cannot be opened: ") + std::strerror(errno);
    close(fuse);
    if (geteuid() != 0 && !OnPath("fusermount3"))
        return "fusermount3 (fuse3) is not installed";
    if (!OnPath("qemu-storage-daemon"))
        return "qemu-storage-daemon (qemu-system-common) is not installed";
    return {};
}

QemuDiskView::QemuDiskView(std::string imagePath, std::string format, std::string folder)
    : image_(std::move(imagePath)),
      format_(std::move(format)),
      folder_(std::move(folder)),
      view_(folder_ + "/disk.raw"),
      overlay_(folder_ + "/changes.qcow2")
{
}

std::unique_ptr<QemuDiskView> QemuDiskView::Open(const std::string& imagePath, const std::string& format,
                                                 std::string& problem, bool& fuseToBlame)
{
    fuseToBlame = false;
    const std::string folder = MakePrivateFolder(TemporaryRoot(), kViewFolderPrefix);
    if (folder.empty()) {
        problem = "no private folder for its view could be made";
        return nullptr;
    }
    std::unique_ptr<QemuDiskView> view(new QemuDiskView(std::filesystem::absolute(imagePath).string(), format, folder));
    // The mount point: an empty file of ours.
    std::ofstream(view->view_).close();
    if (!view->StartReading(problem, fuseToBlame))
        return nullptr;
    return view;
}

bool QemuDiskView::StartReading(std::string& problem, bool& fuseToBlame)
{
    // No lock: reading is allowed while a virtual machine has the image.
    const std::vector<std::string> arguments{
        "--blockdev",
        R"({"driver":"file","node-name":"image-file","read-only":true,"locking":"off","filename":)" +
            JsonString(image_) + "}",
        "--blockdev",
        R"({"driver":)" + JsonString(format_) +
            R"(,"node-name":"disk","file":"image-file","read-only":true,"force-share":true})",
        "--export", Export(view_, false)};
    StorageDaemon::Failure failure;
    if (daemon_.Start(arguments, view_, failure))
        return true;
    fuseToBlame = failure.exportFailed;
    problem = failure.exportFailed ? failure.why : "cannot be read by qemu: " + failure.why;
    return false;
}

QemuDiskView::~QemuDiskView()
{
    if (handedOver_) {
        daemon_.Release();
        return;
    }
    daemon_.Stop();
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
}

bool QemuDiskView::Ready()
{
    if (daemon_.Running() && IsMountedOn(view_))
        return true;
    // Not started yet, stopped after a change, or gone: (re)started.
    if (changing_)
        return false;
    std::string problem;
    bool fuseToBlame = false;
    return StartReading(problem, fuseToBlame);
}

bool QemuDiskView::BeginChange()
{
    if (changing_)
        return true;
    daemon_.Stop();
    if (IsImageInUseElsewhere(image_))
        return false;
    if (access(overlay_.c_str(), F_OK) != 0 &&
        !RunChild({"qemu-img", "create", "-q", "-f", "qcow2", "-o", std::string(kOverlayOptions), "-b", image_, "-F",
                   format_, overlay_},
                  {})
             .Succeeded())
        return false;
    const std::vector<std::string> arguments{
        "--blockdev",
        // Flushes of the scratch overlay would only wait for the disk: the
        // daemon quits cleanly before the commit reads it.
        R"({"driver":"qcow2","node-name":"disk","cache":{"no-flush":true},"file":{"driver":"file","filename":)" +
            JsonString(overlay_) + "}}",
        "--export", Export(view_, true)};
    StorageDaemon::Failure failure;
    changing_ = daemon_.Start(arguments, view_, failure);
    if (!changing_)
        std::remove(overlay_.c_str());
    return changing_;
}

bool QemuDiskView::Commit()
{
    if (FreeBytesBeside(image_) < 2 * AllocatedBytes(overlay_) + kCommitMargin)
        return false;
    // Finishes even if we die now: a commit cut short would leave the image
    // half changed.
    const ChildResult committed =
        RunChild({"qemu-img", "commit", "-q", "-f", "qcow2", overlay_}, {}, ChildLifetime::FinishesAlone);
    return committed.Succeeded();
}

bool QemuDiskView::EndChange(bool keep)
{
    if (!changing_)
        return !keep;
    changing_ = false;
    // A daemon that did not quit cleanly may not have flushed the overlay.
    const bool flushed = daemon_.Stop();
    const bool committed = keep && flushed && Commit();
    if (!committed)
        std::remove(overlay_.c_str());
    return committed;
}

std::string QemuDiskView::HandOver()
{
    std::string line = HandOverLine({"view", image_, format_, folder_, std::to_string(daemon_.Pid())});
    handedOver_ = !line.empty();
    return line;
}

std::unique_ptr<QemuDiskView> QemuDiskView::Adopt(const std::string& line)
{
    const std::vector<std::string> fields = ReadHandOverLine(line);
    if (fields.size() != 5 || fields[0] != "view"
        || !IsOwnPrivateFolder(fields[3], TemporaryRoot(), kViewFolderPrefix))
        return nullptr;
    std::unique_ptr<QemuDiskView> view(new QemuDiskView(fields[1], fields[2], fields[3]));
    const pid_t pid = static_cast<pid_t>(std::strtol(fields[4].c_str(), nullptr, 10));
    if (pid > 0 && IsOwnChild(pid))
        view->daemon_.Adopt(pid, view->view_);
    return view;
}

}  // namespace platform
