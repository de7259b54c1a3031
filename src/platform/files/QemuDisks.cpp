#include "platform/files/QemuDisks.h"

#include "platform/files/HandOverLine.h"
#include "platform/files/QemuDiskCopy.h"
#include "platform/files/QemuDiskView.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <vector>

namespace platform {

namespace {

constexpr const char* kHandOverVariable = "LUMIVANE_OPEN_DISKS";

struct Open {
    std::weak_ptr<QemuDisk> disk;
    std::string note;
};

struct Registry {
    std::map<std::string, Open> open;  // by KeyOf
    std::vector<std::shared_ptr<QemuDisk>> kept;
};

Registry& Disks()
{
    static Registry registry;
    return registry;
}

// The file, under the name it was opened by: a file removed and another
// made in a new place may get its inode number.
std::string KeyOf(const std::string& imagePath)
{
    struct stat info {};
    std::error_code error;
    const std::string path = std::filesystem::absolute(imagePath, error).lexically_normal().string();
    if (stat(imagePath.c_str(), &info) != 0)
        return path;
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino) + ":" + path;
}

// A disk the host's copy handed over for this image, taken out of the
// environment so it is adopted once.
std::shared_ptr<QemuDisk> AdoptHandedOver(const std::string& key, std::string& note)
{
    const char* value = std::getenv(kHandOverVariable);
    if (value == nullptr)
        return nullptr;
    std::istringstream lines(value);
    std::string line;
    std::string rest;
    std::shared_ptr<QemuDisk> adopted;
    while (std::getline(lines, line)) {
        const std::vector<std::string> fields = ReadHandOverLine(line);
        // kind, image, format, folder, state, note
        if (!adopted && fields.size() == 6 && KeyOf(fields[1]) == key) {
            const std::string disk = HandOverLine({fields[0], fields[1], fields[2], fields[3], fields[4]});
            adopted = fields[0] == "view" ? std::shared_ptr<QemuDisk>(QemuDiskView::Adopt(disk))
                                          : std::shared_ptr<QemuDisk>(QemuDiskCopy::Adopt(disk));
            note = fields[5];
            if (adopted)
                continue;
        }
        rest += line + "\n";
    }
    if (rest.empty())
        unsetenv(kHandOverVariable);
    else
        setenv(kHandOverVariable, rest.c_str(), 1);
    return adopted;
}

}  // namespace

QemuDiskOpening OpenQemuDisk(const std::string& imagePath, const std::string& format, const std::string& kindName,
                             bool keep)
{
    Registry& registry = Disks();
    const std::string key = KeyOf(imagePath);
    QemuDiskOpening opening;
    if (const auto found = registry.open.find(key); found != registry.open.end()) {
        opening.disk = found->second.disk.lock();
        opening.note = found->second.note;
    }
    if (!opening.disk)
        opening.disk = AdoptHandedOver(key, opening.note);
    if (!opening.disk) {
        std::string why = FuseUnavailableReason();
        bool fuseToBlame = !why.empty();
        if (!fuseToBlame) {
            opening.disk = QemuDiskView::Open(imagePath, format, why, fuseToBlame);
            if (!opening.disk && !fuseToBlame) {
                opening.problem = "is a " + kindName + " image that " + why;
                return opening;
            }
        }
        if (!opening.disk) {
            opening.note = "is read through a raw copy, which takes longer: qemu's FUSE export cannot be used here (" +
                           why + ")";
            std::string problem;
            opening.disk = QemuDiskCopy::Open(imagePath, format, problem);
            if (!opening.disk) {
                opening.problem = "is a " + kindName + " image " + problem;
                return opening;
            }
        }
    }
    registry.open[key] = {opening.disk, opening.note};
    if (keep && std::find(registry.kept.begin(), registry.kept.end(), opening.disk) == registry.kept.end())
        registry.kept.push_back(opening.disk);
    return opening;
}

void ReleaseKeptQemuDisks()
{
    Disks().kept.clear();
}

void HandOverQemuDisks()
{
    Registry& registry = Disks();
    std::string lines;
    for (auto& [key, open] : registry.open) {
        const std::shared_ptr<QemuDisk> disk = open.disk.lock();
        if (!disk)
            continue;
        const std::string line = disk->HandOver();
        if (!line.empty())
            lines += line + "\t" + open.note + "\n";
    }
    if (!lines.empty())
        setenv(kHandOverVariable, lines.c_str(), 1);
    registry.kept.clear();
    registry.open.clear();
}

}  // namespace platform
