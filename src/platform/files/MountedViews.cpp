#include "platform/files/MountedViews.h"

#include "platform/files/ChildProcess.h"
#include "platform/files/HostFolders.h"

#include <sys/mount.h>
#include <sys/stat.h>

#include <cerrno>
#include <fstream>
#include <sstream>

namespace platform {

namespace {

// mountinfo writes blanks, tabs, newlines and backslashes as \ooo.
std::string Unescaped(const std::string& field)
{
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (digits.find_first_not_of("01234567") == std::string::npos) {
                text += static_cast<char>(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        text += field[i];
    }
    return text;
}

}  // namespace

std::vector<std::string> MountPointsUnder(const std::string& folder)
{
    std::vector<std::string> points;
    std::ifstream table("/proc/self/mountinfo");
    std::string line;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, point;
        fields >> id >> parent >> device >> root >> point;
        point = Unescaped(point);
        if (point == folder || point.starts_with(folder + "/"))
            points.push_back(point);
    }
    return points;
}

bool IsMountedOn(const std::string& path)
{
    struct stat file {};
    struct stat folder {};
    // A view whose daemon died answers ENOTCONN: still mounted.
    if (stat(path.c_str(), &file) != 0)
        return errno == ENOTCONN;
    return stat(HostFolderOf(path).c_str(), &folder) == 0 && file.st_dev != folder.st_dev;
}

bool Unmount(const std::string& mountPoint)
{
    if (umount2(mountPoint.c_str(), MNT_DETACH | UMOUNT_NOFOLLOW) == 0)
        return true;
    return RunChild({"fusermount3", "-u", "-z", mountPoint}, {}).Succeeded();
}

}  // namespace platform
