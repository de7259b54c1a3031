#include "platform/files/DriveFileSystems.h"

#include "platform/files/DosAttributes.h"
#include "platform/files/PrivateFolder.h"
#include "platform/files/WindowsPath.h"

#include <cstdio>

namespace platform {

std::unique_ptr<DriveFileSystems> DriveFileSystems::FromDriveTable(const DriveTable& table)
{
    // Every run sweeps what killed runs left, whatever its drives are.
    RemoveLeftoversOfDeadRuns();
    DriveTable folders;
    std::vector<std::unique_ptr<ImageDriveFileSystem>> images;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const auto text = table.Folder(letter);
        if (!text)
            continue;
        const auto named = ParseImageDriveName(*text);
        if (!named) {
            folders.Map(letter, *text);
            continue;
        }
        const ImageVolumeResult located = LocateImageVolume(*named);
        if (located.volume)
            images.push_back(std::make_unique<ImageDriveFileSystem>(letter, named->imagePath, *located.volume));
    }
    return std::make_unique<DriveFileSystems>(std::move(folders), std::move(images));
}

DriveFileSystems::DriveFileSystems(DriveTable folders, std::vector<std::unique_ptr<ImageDriveFileSystem>> images)
    : folders_(std::make_unique<HostDriveFileSystem>(std::move(folders))), images_(std::move(images))
{
}

ImageDriveFileSystem* DriveFileSystems::ImageFor(const std::string& path) const
{
    if (IsHostPath(path))
        return nullptr;
    const auto parsed = ParseWindowsPath(path);
    if (!parsed)
        return nullptr;
    for (const auto& image : images_) {
        if (image->Letter() == parsed->drive)
            return image.get();
    }
    return nullptr;
}

FileSystem& DriveFileSystems::For(const std::string& path) const
{
    if (ImageDriveFileSystem* image = ImageFor(path))
        return *image;
    return *folders_;
}

std::optional<std::string> DriveFileSystems::Resolve(const std::string& path) const
{
    return For(path).Resolve(path);
}

bool DriveFileSystems::Exists(const std::string& path) const
{
    return For(path).Exists(path);
}

DWORD DriveFileSystems::GetAttributes(const std::string& path) const
{
    return For(path).GetAttributes(path);
}

bool DriveFileSystems::SetAttributes(const std::string& path, DWORD attributes)
{
    return For(path).SetAttributes(path, attributes);
}

bool DriveFileSystems::Delete(const std::string& path)
{
    return For(path).Delete(path);
}

void DriveFileSystems::ReadAhead(const std::vector<std::string>& paths) const
{
    // Each image drive passes over the paths of the others.
    for (const auto& image : images_)
        image->ReadAhead(paths);
}

void DriveFileSystems::BeginBatch()
{
    for (const auto& image : images_)
        image->BeginBatch();
}

bool DriveFileSystems::EndBatch()
{
    bool reached = true;
    for (const auto& image : images_)
        reached = image->EndBatch() && reached;
    return reached;
}

bool DriveFileSystems::Copy(const std::string& source, const std::string& target, bool failIfExists)
{
    ImageDriveFileSystem* from = ImageFor(source);
    ImageDriveFileSystem* to = ImageFor(target);
    if (from == nullptr && to == nullptr)
        return folders_->Copy(source, target, failIfExists);
    if (from == to)
        return from->Copy(source, target, failIfExists);
    if (from == nullptr) {
        const auto hostSource = folders_->Resolve(source);
        return hostSource && to->ImportHostFile(*hostSource, target, failIfExists, ReadDosAttributes(*hostSource));
    }
    if (to == nullptr) {
        const auto hostTarget = folders_->Resolve(target);
        return hostTarget && from->ExportToHost(source, *hostTarget, failIfExists);
    }
    const auto scratch = from->ExtractToScratch(source);
    if (!scratch)
        return false;
    const bool copied = to->ImportHostFile(*scratch, target, failIfExists, from->GetAttributes(source));
    std::remove(scratch->c_str());
    return copied;
}

}  // namespace platform
