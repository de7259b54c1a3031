#include "platform/files/ImageDriveFileSystem.h"

#include "platform/files/AtomicReplace.h"
#include "platform/files/DirectoryLookup.h"
#include "platform/files/DosAttributes.h"
#include "platform/files/WindowsPath.h"
#include "platform/files/CacheHome.h"
#include "platform/files/ImageHolders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>

namespace platform {

namespace {

constexpr DWORD kStoredBits =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// "~LV1A2B3.TMP": a valid 8.3 name, so the temporary needs no long name.
std::string TemporaryName()
{
    static std::mt19937 generator{std::random_device{}()};
    char name[16];
    std::snprintf(name, sizeof name, "~LV%05X.TMP", static_cast<unsigned>(generator() & 0xFFFFF));
    return name;
}

bool IsTemporaryName(const std::string& name)
{
    if (name.size() != 12 || name.compare(0, 3, "~LV") != 0 || name.compare(8, 4, ".TMP") != 0)
        return false;
    for (std::size_t i = 3; i < 8; ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(name[i])))
            return false;
    }
    return true;
}

std::string Flag(DWORD attributes, DWORD bit, char letter)
{
    return std::string((attributes & bit) != 0 ? "+" : "-") + letter;
}

const ImageEntry* Match(const std::vector<ImageEntry>& entries, const std::string& name)
{
    const ImageEntry* found = nullptr;
    for (const ImageEntry& entry : entries) {
        if (entry.longName == name || entry.shortName == name)
            return &entry;
        if (found == nullptr && (EqualsIgnoringCase(entry.longName, name) || EqualsIgnoringCase(entry.shortName, name)))
            found = &entry;
    }
    return found;
}

std::string FolderKey(const std::vector<std::string>& realFolder)
{
    std::string key;
    for (const std::string& component : realFolder)
        key += component + '/';
    return key;
}

bool HostTargetAcceptable(const std::string& hostTarget, bool failIfExists)
{
    struct stat existing {};
    if (stat(hostTarget.c_str(), &existing) != 0)
        return errno == ENOENT;
    if (S_ISDIR(existing.st_mode) || failIfExists)
        return false;
    return (ReadDosAttributes(hostTarget) & FILE_ATTRIBUTE_READONLY) == 0;
}

}  // namespace

ImageDriveFileSystem::ImageDriveFileSystem(char letter, std::string imagePath, const ImageVolume& volume)
    : letter_(letter),
      imagePath_(std::move(imagePath)),
      dataFile_(volume.dataFile),
      mirror_(volume.mirror),
      mtools_(volume.dataFile, volume.offset)
{
    // One folder per image and volume, the same in every run (a raw copy of
    // a qcow2 image has a new name each time).
    char name[32];
    const std::size_t hash = std::hash<std::string>{}(imagePath_ + '@' + std::to_string(volume.offset));
    std::snprintf(name, sizeof name, "%016zx", hash);
    cacheFolder_ = CacheHome() + "/lumivane/image-files/" + name;
    stamp_ = CurrentStamp();
}

ImageDriveFileSystem::Stamp ImageDriveFileSystem::CurrentStamp() const
{
    struct stat info {};
    if (stat(dataFile_.c_str(), &info) != 0)
        return {};
    return {static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec,
            static_cast<long long>(info.st_size), static_cast<unsigned long long>(info.st_ino)};
}

void ImageDriveFileSystem::Forget() const
{
    listings_.clear();
    stamp_ = CurrentStamp();
}

bool ImageDriveFileSystem::OnThisDrive(const std::string& path) const
{
    if (IsHostPath(path))
        return false;
    const auto parsed = ParseWindowsPath(path);
    return parsed && parsed->drive == letter_;
}

const std::vector<ImageEntry>* ImageDriveFileSystem::Listing(const std::vector<std::string>& realFolder) const
{
    // Another program (or a virtual machine) may have changed the image.
    if (CurrentStamp() != stamp_)
        Forget();
    const std::string key = FolderKey(realFolder);
    if (const auto cached = listings_.find(key); cached != listings_.end())
        return &cached->second;
    const std::string folder = MtoolsDrive::DrivePath(realFolder);
    const ChildResult listing = mtools_.Run("mdir", {"-a", folder});
    if (!listing.Succeeded())
        return nullptr;
    const ChildResult bits = mtools_.Run("mattrib", {realFolder.empty() ? "z:/*" : folder + "/*"});
    auto entries = MergeListings(ParseMdirListing(listing.out), ParseMattribListing(bits.out));
    return &listings_.emplace(key, std::move(entries)).first->second;
}

std::optional<ImageDriveFileSystem::Found> ImageDriveFileSystem::Find(const std::string& path) const
{
    if (!OnThisDrive(path))
        return std::nullopt;
    const auto parsed = ParseWindowsPath(path);
    Found found;
    for (const std::string& component : parsed->components) {
        if (found.entry && !found.entry->isFolder)
            return std::nullopt;
        const std::vector<ImageEntry>* entries = Listing(found.realComponents);
        const ImageEntry* entry = entries != nullptr ? Match(*entries, component) : nullptr;
        if (entry == nullptr)
            return std::nullopt;
        found.realComponents.push_back(entry->ShownName());
        found.entry = *entry;
    }
    return found;
}

std::optional<std::pair<ImageDriveFileSystem::Found, std::string>>
ImageDriveFileSystem::FindParent(const std::string& path) const
{
    if (!OnThisDrive(path))
        return std::nullopt;
    auto parsed = ParseWindowsPath(path);
    if (parsed->components.empty())
        return std::nullopt;
    const std::string name = parsed->components.back();
    std::string parent(1, letter_);
    parent += ":\\";
    for (std::size_t i = 0; i + 1 < parsed->components.size(); ++i)
        parent += parsed->components[i] + '\\';
    auto folder = Find(parent);
    if (!folder || (folder->entry && !folder->entry->isFolder))
        return std::nullopt;
    return std::make_pair(std::move(*folder), name);
}

std::optional<std::vector<std::uint8_t>> ImageDriveFileSystem::ReadBytes(
    const std::vector<std::string>& realPath) const
{
    const ChildResult read = mtools_.Run("mtype", {MtoolsDrive::DrivePath(realPath)});
    if (!read.Succeeded())
        return std::nullopt;
    return std::vector<std::uint8_t>(read.out.begin(), read.out.end());
}

bool ImageDriveFileSystem::MayWrite() const
{
    for (const std::string& file : {dataFile_, imagePath_}) {
        struct stat info {};
        if (access(file.c_str(), W_OK) != 0 || stat(file.c_str(), &info) != 0 || (info.st_mode & 0222) == 0 ||
            IsImageInUseElsewhere(file))
            return false;
    }
    return true;
}

bool ImageDriveFileSystem::Finish(bool changed)
{
    if (mirror_) {
        if (changed)
            changed = mirror_->WriteBack();
        else
            mirror_->Discard();
    }
    Forget();
    return changed;
}

std::optional<std::string> ImageDriveFileSystem::Resolve(const std::string& path) const
{
    if (IsHostPath(path))
        return path;
    const auto found = Find(path);
    if (!found || !found->entry || found->entry->isFolder)
        return std::nullopt;
    std::string hostPath = cacheFolder_;
    for (const std::string& component : found->realComponents)
        hostPath += '/' + component;
    const auto bytes = ReadBytes(found->realComponents);
    if (!bytes || bytes->size() != found->entry->size)
        return std::nullopt;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(hostPath).parent_path(), error);
    AtomicReplace copy(hostPath);
    if (!copy.IsOpen() || !copy.Write(std::span<const char>(reinterpret_cast<const char*>(bytes->data()), bytes->size())))
        return std::nullopt;
    // The copy is a snapshot to read; changes belong in the image.
    fchmod(copy.Descriptor(), S_IRUSR | S_IRGRP | S_IROTH);
    if (!copy.Commit(true))
        return std::nullopt;
    return hostPath;
}

bool ImageDriveFileSystem::Exists(const std::string& path) const
{
    return Find(path).has_value();
}

DWORD ImageDriveFileSystem::GetAttributes(const std::string& path) const
{
    const auto found = Find(path);
    if (!found)
        return INVALID_FILE_ATTRIBUTES;
    return found->entry ? found->entry->attributes : FILE_ATTRIBUTE_DIRECTORY;
}

bool ImageDriveFileSystem::SetAttributes(const std::string& path, DWORD attributes)
{
    const auto found = Find(path);
    if (!found || !found->entry || !MayWrite())
        return false;
    const DWORD bits = attributes & kStoredBits;
    const ChildResult changed = mtools_.Run(
        "mattrib", {Flag(bits, FILE_ATTRIBUTE_ARCHIVE, 'a'), Flag(bits, FILE_ATTRIBUTE_READONLY, 'r'),
                    Flag(bits, FILE_ATTRIBUTE_SYSTEM, 's'), Flag(bits, FILE_ATTRIBUTE_HIDDEN, 'h'),
                    MtoolsDrive::DrivePath(found->realComponents)});
    return Finish(changed.Succeeded());
}

bool ImageDriveFileSystem::Delete(const std::string& path)
{
    const auto found = Find(path);
    if (!found || !found->entry || found->entry->isFolder ||
        (found->entry->attributes & FILE_ATTRIBUTE_READONLY) != 0 || !MayWrite())
        return false;
    const ChildResult removed = mtools_.Run("mdel", {MtoolsDrive::DrivePath(found->realComponents)});
    return Finish(removed.Succeeded());
}

std::optional<std::string> ImageDriveFileSystem::ExtractToScratch(const std::string& path) const
{
    const auto found = Find(path);
    if (!found || !found->entry || found->entry->isFolder)
        return std::nullopt;
    const auto bytes = ReadBytes(found->realComponents);
    if (!bytes || bytes->size() != found->entry->size)
        return std::nullopt;
    const std::string scratch = mtools_.PrivateFolder() + "/" + TemporaryName();
    AtomicReplace file(scratch);
    if (!file.IsOpen() || !file.Write(std::span<const char>(reinterpret_cast<const char*>(bytes->data()), bytes->size())) ||
        !file.Commit(true))
        return std::nullopt;
    return scratch;
}

void ImageDriveFileSystem::RemoveStaleTemporaries(const std::vector<std::string>& realFolder)
{
    const std::vector<ImageEntry>* entries = Listing(realFolder);
    if (entries == nullptr)
        return;
    std::vector<std::string> stale;
    for (const ImageEntry& entry : *entries) {
        if (!entry.isFolder && IsTemporaryName(entry.shortName) && entry.longName.empty())
            stale.push_back(entry.shortName);
    }
    for (const std::string& name : stale) {
        std::vector<std::string> path = realFolder;
        path.push_back(name);
        mtools_.Run("mdel", {MtoolsDrive::DrivePath(path)});
    }
    if (!stale.empty())
        Finish(true);
}

bool ImageDriveFileSystem::ImportHostFile(const std::string& hostSource, const std::string& target,
                                          bool failIfExists, DWORD attributes)
{
    struct stat source {};
    if (stat(hostSource.c_str(), &source) != 0 || !S_ISREG(source.st_mode) || access(hostSource.c_str(), R_OK) != 0)
        return false;
    const auto parent = FindParent(target);
    if (!parent || !MayWrite())
        return false;
    const auto& [folder, askedName] = *parent;
    const std::vector<ImageEntry>* entries = Listing(folder.realComponents);
    const ImageEntry* existing = entries != nullptr ? Match(*entries, askedName) : nullptr;
    if (existing != nullptr &&
        (existing->isFolder || failIfExists || (existing->attributes & FILE_ATTRIBUTE_READONLY) != 0))
        return false;
    const std::string finalName = existing != nullptr ? existing->ShownName() : askedName;
    RemoveStaleTemporaries(folder.realComponents);

    std::vector<std::string> temporary = folder.realComponents;
    temporary.push_back(TemporaryName());
    std::vector<std::string> final = folder.realComponents;
    final.push_back(finalName);
    const std::string temporaryPath = MtoolsDrive::DrivePath(temporary);
    // Windows sets the archive bit on every copy it makes.
    const DWORD bits = (attributes & (kStoredBits & ~FILE_ATTRIBUTE_ARCHIVE)) | FILE_ATTRIBUTE_ARCHIVE;
    const bool done = mtools_.Run("mcopy", {"-m", "-D", "o", hostSource, temporaryPath}).Succeeded() &&
        mtools_.Run("mattrib", {"+a", Flag(bits, FILE_ATTRIBUTE_READONLY, 'r'), Flag(bits, FILE_ATTRIBUTE_SYSTEM, 's'),
                                Flag(bits, FILE_ATTRIBUTE_HIDDEN, 'h'), temporaryPath})
            .Succeeded() &&
        mtools_.Run("mmove", {"-D", "o", temporaryPath, MtoolsDrive::DrivePath(final)}).Succeeded();
    if (!done)
        mtools_.Run("mdel", {temporaryPath});
    return Finish(done);
}

bool ImageDriveFileSystem::ExportToHost(const std::string& source, const std::string& hostTarget,
                                        bool failIfExists) const
{
    const auto found = Find(source);
    if (!found || !found->entry || found->entry->isFolder || !HostTargetAcceptable(hostTarget, failIfExists))
        return false;
    const auto bytes = ReadBytes(found->realComponents);
    if (!bytes || bytes->size() != found->entry->size)
        return false;
    AtomicReplace output(hostTarget);
    if (!output.IsOpen() ||
        !output.Write(std::span<const char>(reinterpret_cast<const char*>(bytes->data()), bytes->size())))
        return false;
    WriteDosAttributes(output.TempPath(), found->entry->attributes &
                                              (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    return output.Commit(!failIfExists);
}

bool ImageDriveFileSystem::Copy(const std::string& source, const std::string& target, bool failIfExists)
{
    if (OnThisDrive(target)) {
        if (IsHostPath(source))
            return ImportHostFile(source, target, failIfExists, ReadDosAttributes(source));
        const auto from = Find(source);
        const auto to = Find(target);
        if (!from || !from->entry || (to && to->realComponents == from->realComponents))
            return false;
        const auto scratch = ExtractToScratch(source);
        if (!scratch)
            return false;
        const bool copied = ImportHostFile(*scratch, target, failIfExists, from->entry->attributes);
        std::remove(scratch->c_str());
        return copied;
    }
    if (OnThisDrive(source) && IsHostPath(target))
        return ExportToHost(source, target, failIfExists);
    return false;
}

}  // namespace platform
