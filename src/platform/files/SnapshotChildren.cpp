#include "platform/files/SnapshotChildren.h"

#include "platform/files/ImageBytes.h"
#include "platform/files/ImageLineage.h"
#include "platform/files/VirtualBoxMedia.h"

#include <sys/stat.h>

#include <filesystem>
#include <optional>

namespace platform {

namespace {

namespace fs = std::filesystem;

// Enough for any machine folder; a huge folder is not searched to its end.
constexpr int kMaxEntries = 2000;
constexpr std::uint64_t kMaxMachineFile = 4 * 1024 * 1024;

struct FileId {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileId&) const = default;
};

std::optional<FileId> IdOf(const fs::path& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return FileId{info.st_dev, info.st_ino};
}

fs::path Beside(const fs::path& file, const std::string& name)
{
    const fs::path named(name);
    return named.is_absolute() ? named : file.parent_path() / named;
}

bool NamesUs(const fs::path& candidate, const ImageLineage& lineage, const FileId& us, const ImageLineage& ours)
{
    if (!lineage.parentName.empty()) {
        if (const auto parent = IdOf(Beside(candidate, lineage.parentName)))
            return *parent == us;
    }
    return !lineage.parentIdentity.empty() && lineage.parentIdentity == ours.identity;
}

std::string ChildInFolder(const fs::path& folder, const FileId& us, const ImageLineage& ours)
{
    std::error_code error;
    int seen = 0;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (++seen > kMaxEntries)
            break;
        const auto id = IdOf(entry.path());
        if (!id || *id == us)
            continue;
        const FileImageBytes candidate(entry.path().string());
        if (candidate.IsOpen() && NamesUs(entry.path(), ReadImageLineage(candidate), us, ours))
            return entry.path().string();
    }
    return {};
}

std::string ChildInMachineFiles(const fs::path& folder, const FileId& us)
{
    std::error_code error;
    int seen = 0;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (++seen > kMaxEntries)
            break;
        if (entry.path().extension() != ".vbox")
            continue;
        const FileImageBytes file(entry.path().string());
        const auto text = file.IsOpen() && file.Size() <= kMaxMachineFile
                              ? file.Read(0, static_cast<std::size_t>(file.Size()))
                              : std::nullopt;
        if (!text)
            continue;
        for (const VirtualBoxDisk& disk : ReadVirtualBoxMedia(std::string(text->begin(), text->end()))) {
            if (!disk.children.empty() && IdOf(Beside(entry.path(), disk.location)) == us)
                return Beside(entry.path(), disk.children.front()).lexically_normal().string();
        }
    }
    return {};
}

}  // namespace

std::string FindSnapshotChild(const std::string& imagePath)
{
    const fs::path image = fs::absolute(imagePath);
    const auto us = IdOf(image);
    if (!us)
        return {};
    const FileImageBytes bytes(image.string());
    const ImageLineage ours = ReadImageLineage(bytes);
    const fs::path folder = image.parent_path();
    for (const fs::path& place : {folder, folder / "Snapshots"}) {
        std::string child = ChildInFolder(place, *us, ours);
        if (!child.empty())
            return child;
    }
    return ChildInMachineFiles(folder, *us);
}

}  // namespace platform
