#include "platform/files/ImageDriveFileSystem.h"

#include "platform/files/AtomicReplace.h"
#include "platform/files/CheckedRootListing.h"
#include "platform/files/DirectoryLookup.h"
#include "platform/files/DosAttributes.h"
#include "platform/files/WindowsPath.h"
#include "platform/files/CacheHome.h"
#include "platform/files/ImageHolders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
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
      // A view of an image qemu reads is new at every start of its daemon;
      // the image itself changes only when another program (or a change of
      // ours) writes it.
      stampFile_(ChangeWitness(imagePath_, volume)),
      readOnlyReason_(volume.readOnlyReason),
      disk_(volume.disk),
      mtools_(volume.dataFile, volume.offset)
{
    // One folder per image and volume, the same in every run.
    char name[32];
    const std::size_t hash = std::hash<std::string>{}(imagePath_ + '@' + std::to_string(volume.offset));
    std::snprintf(name, sizeof name, "%016zx", hash);
    cacheFolder_ = CacheHome() + "/lumivane/image-files/" + name;
    stamp_ = CurrentStamp();
    if (auto root = TakeCheckedRootListing(imagePath_, volume))
        listings_.emplace(FolderKey({}), MergeListings(ParseMdirListing(root->names), ParseMattribListing(root->attributes)));
}

ImageDriveFileSystem::~ImageDriveFileSystem()
{
    // A batch left open (an exception on the way) is dropped, not half kept.
    pendingAttributes_.reset();
    if (changing_)
        EndChange(false);
}

ImageDriveFileSystem::Stamp ImageDriveFileSystem::CurrentStamp() const
{
    struct stat info {};
    if (stat(stampFile_.c_str(), &info) != 0)
        return {};
    return {static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec,
            static_cast<long long>(info.st_size), static_cast<unsigned long long>(info.st_ino)};
}

void ImageDriveFileSystem::Forget() const
{
    listings_.clear();
    currentCopies_.clear();
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
    FlushAttributes();
    if (disk_ && !disk_->Ready())
        return nullptr;
    const std::string folder = MtoolsDrive::DrivePath(realFolder);
    // Names and attributes come from two programs that only read: side by
    // side they take the time of one.
    auto bits = std::async(std::launch::async, [this, pattern = realFolder.empty() ? "z:/*" : folder + "/*"] {
        return mtools_.Run("mattrib", {pattern});
    });
    const ChildResult listing = mtools_.Run("mdir", {"-a", folder});
    const ChildResult attributes = bits.get();
    if (!listing.Succeeded())
        return nullptr;
    auto entries = MergeListings(ParseMdirListing(listing.out), ParseMattribListing(attributes.out));
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
    const ChildResult read = Run("mtype", {MtoolsDrive::DrivePath(realPath)});
    if (!read.Succeeded())
        return std::nullopt;
    return std::vector<std::uint8_t>(read.out.begin(), read.out.end());
}

ImageEntry* ImageDriveFileSystem::CachedEntry(const std::vector<std::string>& realPath)
{
    if (realPath.empty())
        return nullptr;
    const auto listing = listings_.find(FolderKey({realPath.begin(), realPath.end() - 1}));
    if (listing == listings_.end())
        return nullptr;
    for (ImageEntry& entry : listing->second) {
        if (entry.ShownName() == realPath.back())
            return &entry;
    }
    return nullptr;
}

ChildResult ImageDriveFileSystem::Run(const std::string& command, const std::vector<std::string>& arguments) const
{
    // Whatever runs next sees the attribute changes made before it.
    FlushAttributes();
    if (disk_ && !disk_->Ready())
        return {};
    return mtools_.Run(command, arguments);
}

ChildLifetime ImageDriveFileSystem::WriteLifetime() const
{
    // Written in place, a command is let finish if we die: killed half-way
    // it could leave the file system unsound. A disk qemu reads gets the
    // change only when it ends, so there the command may die with us.
    return disk_ ? ChildLifetime::DiesWithUs : ChildLifetime::FinishesAlone;
}

bool ImageDriveFileSystem::RunWrite(const std::string& command, const std::vector<std::string>& arguments)
{
    FlushAttributes();
    if (disk_ && !disk_->Ready())
        return false;
    const ChildResult written = mtools_.Run(command, arguments, WriteLifetime());
    // mtools reports some failed writes only on its error output.
    return written.Succeeded() && written.err.empty();
}

bool ImageDriveFileSystem::FlushAttributes() const
{
    if (!pendingAttributes_)
        return true;
    const PendingAttributes pending = std::move(*pendingAttributes_);
    pendingAttributes_.reset();
    std::vector<std::string> arguments = pending.flags;
    arguments.insert(arguments.end(), pending.paths.begin(), pending.paths.end());
    const ChildResult changed =
        disk_ && !disk_->Ready() ? ChildResult{} : mtools_.Run("mattrib", arguments, WriteLifetime());
    const bool done = changed.Succeeded() && changed.err.empty();
    if (!done) {
        pendingFailed_ = true;
        Forget();
    } else if (!disk_) {
        stamp_ = CurrentStamp();
    }
    return done;
}

bool ImageDriveFileSystem::MayWrite() const
{
    if (!readOnlyReason_.empty())
        return false;
    // A view is ours; the image behind it is what must be writable. A disk
    // qemu reads asks whether others hold the image itself, once the daemon
    // behind its view has let go of it.
    std::vector<std::string> files{imagePath_};
    if (!disk_ && dataFile_ != imagePath_)
        files.push_back(dataFile_);
    for (const std::string& file : files) {
        struct stat info {};
        if (access(file.c_str(), W_OK) != 0 || stat(file.c_str(), &info) != 0 || (info.st_mode & 0222) == 0 ||
            (!disk_ && IsImageInUseElsewhere(file)))
            return false;
    }
    return true;
}

bool ImageDriveFileSystem::StartChange()
{
    currentCopies_.clear();
    if (changing_)
        return true;
    if (!MayWrite() || (disk_ && !disk_->BeginChange()))
        return false;
    changing_ = true;
    return true;
}

bool ImageDriveFileSystem::EndChange(bool keep)
{
    const bool flushed = FlushAttributes() && !pendingFailed_;
    pendingFailed_ = false;
    if (!changing_)
        return flushed;
    changing_ = false;
    const bool done = disk_ ? disk_->EndChange(keep && flushed) : flushed;
    // The listings show what the image now holds, unless the change did not
    // get there.
    if (done)
        stamp_ = CurrentStamp();
    else
        Forget();
    return done && keep;
}

bool ImageDriveFileSystem::Finish(bool changed)
{
    if (!changed)
        Forget();
    else if (!disk_)
        stamp_ = CurrentStamp();
    if (batchDepth_ > 0)
        return changed;
    return EndChange(changed) && changed;
}

bool ImageDriveFileSystem::EndBatch()
{
    if (batchDepth_ == 0 || --batchDepth_ > 0)
        return true;
    return EndChange(true);
}

std::optional<std::string> ImageDriveFileSystem::Resolve(const std::string& path) const
{
    if (IsHostPath(path))
        return path;
    const auto found = Find(path);
    if (!found || !found->entry || found->entry->isFolder)
        return std::nullopt;
    const std::string hostPath = CopyPath(found->realComponents);
    if (currentCopies_.contains(hostPath))
        return hostPath;
    const auto bytes = ReadBytes(found->realComponents);
    if (!bytes || bytes->size() != found->entry->size || !StoreCopy(hostPath, *bytes))
        return std::nullopt;
    return hostPath;
}

std::string ImageDriveFileSystem::CopyPath(const std::vector<std::string>& realPath) const
{
    std::string hostPath = cacheFolder_;
    for (const std::string& component : realPath)
        hostPath += '/' + component;
    return hostPath;
}

bool ImageDriveFileSystem::StoreCopy(const std::string& hostPath, const std::vector<std::uint8_t>& bytes) const
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(hostPath).parent_path(), error);
    AtomicReplace copy(hostPath);
    if (!copy.IsOpen() || !copy.Write(std::span<const char>(reinterpret_cast<const char*>(bytes.data()), bytes.size())))
        return false;
    // The copy is a snapshot to read; changes belong in the image.
    fchmod(copy.Descriptor(), S_IRUSR | S_IRGRP | S_IROTH);
    return copy.Commit(true);
}

void ImageDriveFileSystem::ReadAhead(const std::vector<std::string>& paths) const
{
    std::vector<Found> files;
    for (const std::string& path : paths) {
        if (!OnThisDrive(path))
            continue;
        auto found = Find(path);
        if (found && found->entry && !found->entry->isFolder &&
            !currentCopies_.contains(CopyPath(found->realComponents)))
            files.push_back(std::move(*found));
    }
    // mcopy puts every file under its own name into one folder, so files
    // of one name (C:\LOGO.SYS, C:\WINDOWS\LOGO.SYS) go in separate runs.
    while (!files.empty()) {
        std::vector<Found> once;
        std::vector<Found> later;
        for (Found& file : files) {
            const bool named = std::any_of(once.begin(), once.end(), [&](const Found& taken) {
                return EqualsIgnoringCase(taken.realComponents.back(), file.realComponents.back());
            });
            (named ? later : once).push_back(std::move(file));
        }
        ReadAheadOnce(once);
        files = std::move(later);
    }
}

void ImageDriveFileSystem::ReadAheadOnce(const std::vector<Found>& files) const
{
    const std::string folder = mtools_.PrivateFolder() + "/ahead";
    std::error_code error;
    std::filesystem::remove_all(folder, error);
    if (!std::filesystem::create_directory(folder, error))
        return;
    std::vector<std::string> arguments{"-n"};
    for (const Found& file : files)
        arguments.push_back(MtoolsDrive::DrivePath(file.realComponents));
    arguments.push_back(folder + "/");
    // What failed is simply read again when it is resolved.
    Run("mcopy", arguments);
    for (const Found& file : files) {
        std::ifstream in(folder + "/" + file.realComponents.back(), std::ios::binary);
        std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::string hostPath = CopyPath(file.realComponents);
        if (in && bytes.size() == file.entry->size && StoreCopy(hostPath, bytes))
            currentCopies_.insert(hostPath);
    }
    std::filesystem::remove_all(folder, error);
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
    if (!found || !found->entry || !StartChange())
        return false;
    const DWORD bits = attributes & kStoredBits;
    const std::vector<std::string> flags{Flag(bits, FILE_ATTRIBUTE_ARCHIVE, 'a'), Flag(bits, FILE_ATTRIBUTE_READONLY, 'r'),
                                         Flag(bits, FILE_ATTRIBUTE_SYSTEM, 's'), Flag(bits, FILE_ATTRIBUTE_HIDDEN, 'h')};
    const std::string drivePath = MtoolsDrive::DrivePath(found->realComponents);
    const DWORD stored = found->entry->isFolder ? (bits | FILE_ATTRIBUTE_DIRECTORY)
                                                : (bits != 0 ? bits : FILE_ATTRIBUTE_NORMAL);
    if (batchDepth_ > 0) {
        // Changes of one kind in a row go to one mattrib, in their order.
        if (pendingAttributes_ && pendingAttributes_->flags != flags)
            FlushAttributes();
        if (!pendingAttributes_)
            pendingAttributes_ = PendingAttributes{flags, {}};
        pendingAttributes_->paths.push_back(drivePath);
        if (ImageEntry* cached = CachedEntry(found->realComponents))
            cached->attributes = stored;
        return true;
    }
    std::vector<std::string> arguments = flags;
    arguments.push_back(drivePath);
    const bool changed = RunWrite("mattrib", arguments);
    if (ImageEntry* cached = changed ? CachedEntry(found->realComponents) : nullptr)
        cached->attributes = stored;
    return Finish(changed);
}

bool ImageDriveFileSystem::Delete(const std::string& path)
{
    const auto found = Find(path);
    if (!found || !found->entry || found->entry->isFolder ||
        (found->entry->attributes & FILE_ATTRIBUTE_READONLY) != 0 || !StartChange())
        return false;
    const bool removed = RunWrite("mdel", {MtoolsDrive::DrivePath(found->realComponents)});
    const auto listing = listings_.find(FolderKey({found->realComponents.begin(), found->realComponents.end() - 1}));
    if (removed && listing != listings_.end())
        std::erase_if(listing->second,
                      [&](const ImageEntry& entry) { return entry.ShownName() == found->realComponents.back(); });
    return Finish(removed);
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
        const auto listing = listings_.find(FolderKey(realFolder));
        if (RunWrite("mdel", {MtoolsDrive::DrivePath(path)}) && listing != listings_.end())
            std::erase_if(listing->second, [&](const ImageEntry& entry) { return entry.shortName == name; });
    }
}

bool ImageDriveFileSystem::ImportHostFile(const std::string& hostSource, const std::string& target,
                                          bool failIfExists, DWORD attributes)
{
    struct stat source {};
    if (stat(hostSource.c_str(), &source) != 0 || !S_ISREG(source.st_mode) || access(hostSource.c_str(), R_OK) != 0)
        return false;
    const auto parent = FindParent(target);
    if (!parent)
        return false;
    const auto& [folder, askedName] = *parent;
    const std::vector<ImageEntry>* entries = Listing(folder.realComponents);
    const ImageEntry* existing = entries != nullptr ? Match(*entries, askedName) : nullptr;
    if (existing != nullptr &&
        (existing->isFolder || failIfExists || (existing->attributes & FILE_ATTRIBUTE_READONLY) != 0))
        return false;
    const std::string finalName = existing != nullptr ? existing->ShownName() : askedName;
    if (!StartChange())
        return false;
    RemoveStaleTemporaries(folder.realComponents);

    std::vector<std::string> temporary = folder.realComponents;
    temporary.push_back(TemporaryName());
    std::vector<std::string> final = folder.realComponents;
    final.push_back(finalName);
    const std::string temporaryPath = MtoolsDrive::DrivePath(temporary);
    // Windows sets the archive bit on every copy it makes, and so does
    // mcopy: only other bits need a mattrib.
    const DWORD bits = (attributes & (kStoredBits & ~FILE_ATTRIBUTE_ARCHIVE)) | FILE_ATTRIBUTE_ARCHIVE;
    bool done = RunWrite("mcopy", {"-m", "-D", "o", hostSource, temporaryPath});
    if (done && bits != FILE_ATTRIBUTE_ARCHIVE)
        done = RunWrite("mattrib", {"+a", Flag(bits, FILE_ATTRIBUTE_READONLY, 'r'), Flag(bits, FILE_ATTRIBUTE_SYSTEM, 's'),
                                    Flag(bits, FILE_ATTRIBUTE_HIDDEN, 'h'), temporaryPath});
    if (done)
        done = RunWrite("mmove", {"-D", "o", temporaryPath, MtoolsDrive::DrivePath(final)});
    if (!done) {
        RunWrite("mdel", {temporaryPath});
        return Finish(false);
    }
    if (ImageEntry* cached = CachedEntry(final)) {
        cached->size = static_cast<std::uint64_t>(source.st_size);
        cached->attributes = bits;
    } else if (const auto listing = listings_.find(FolderKey(folder.realComponents)); listing != listings_.end()) {
        ImageEntry created;
        created.longName = finalName;
        created.size = static_cast<std::uint64_t>(source.st_size);
        created.attributes = bits;
        listing->second.push_back(created);
    }
    return Finish(true);
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
