#include "platform/files/CheckedRootListing.h"

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <mutex>
#include <tuple>

namespace platform {

namespace {

using Key = std::tuple<std::string, std::uint64_t>;
using Stamp = std::tuple<long long, long long, unsigned long long>;

struct Kept {
    Stamp stamp;
    RootListing listing;
};

std::mutex g_lock;
std::map<Key, Kept> g_kept;

// The same file named relative to the working folder or in full.
Key KeyOf(const ImageVolume& volume)
{
    std::error_code error;
    return {std::filesystem::absolute(volume.dataFile, error).lexically_normal().string(), volume.offset};
}

Stamp StampOf(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return {};
    return {static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec,
            static_cast<long long>(info.st_size), static_cast<unsigned long long>(info.st_ino)};
}

}  // namespace

std::string ChangeWitness(const std::string& imagePath, const ImageVolume& volume)
{
    return volume.disk ? imagePath : volume.dataFile;
}

void KeepCheckedRootListing(const std::string& imagePath, const ImageVolume& volume, RootListing listing)
{
    const std::lock_guard hold(g_lock);
    g_kept[KeyOf(volume)] = {StampOf(ChangeWitness(imagePath, volume)), std::move(listing)};
}

std::optional<RootListing> TakeCheckedRootListing(const std::string& imagePath, const ImageVolume& volume)
{
    const std::lock_guard hold(g_lock);
    const auto kept = g_kept.find(KeyOf(volume));
    if (kept == g_kept.end())
        return std::nullopt;
    std::optional<RootListing> listing;
    if (kept->second.stamp == StampOf(ChangeWitness(imagePath, volume)))
        listing = std::move(kept->second.listing);
    g_kept.erase(kept);
    return listing;
}

}  // namespace platform
