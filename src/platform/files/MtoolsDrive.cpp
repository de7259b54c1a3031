#include "platform/files/MtoolsDrive.h"

#include "platform/files/PrivateFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace platform {

namespace {

// Every setting that changes how names and listings look is fixed here, so
// the parsers of the listings see one layout whatever /etc/mtools.conf says.
std::string Configuration(const std::string& imageLink, std::uint64_t offset)
{
    return "mtools_skip_check=1\n"
           "mtools_lower_case=0\n"
           "mtools_no_vfat=0\n"
           "mtools_name_numeric_tail=1\n"
           "mtools_twenty_four_hour_clock=1\n"
           "mtools_dotted_dir=0\n"
           "mtools_date_string=\"yyyy-mm-dd\"\n"
           "drive z: file=\"" + imageLink + "\" offset=" + std::to_string(offset) + "\n";
}

}  // namespace

MtoolsDrive::MtoolsDrive(const std::string& dataFile, std::uint64_t offset)
{
    const std::string pattern = MakePrivateFolder(TemporaryRoot(), "lumivane-mtools");
    if (pattern.empty())
        return;
    // A link of our own naming keeps quotes and blanks of the real path out
    // of the configuration file.
    std::error_code error;
    const std::string link = pattern + "/image";
    std::filesystem::create_symlink(std::filesystem::absolute(dataFile, error), link, error);
    std::ofstream config(pattern + "/mtoolsrc");
    config << Configuration(link, offset);
    config.close();
    if (error || !config) {
        std::filesystem::remove_all(pattern, error);
        return;
    }
    folder_ = pattern;
}

MtoolsDrive::~MtoolsDrive()
{
    if (!folder_.empty()) {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
}

std::string MtoolsDrive::DrivePath(const std::vector<std::string>& components)
{
    std::string path = "z:/";
    for (std::size_t i = 0; i < components.size(); ++i)
        path += (i == 0 ? "" : "/") + components[i];
    return path;
}

ChildResult MtoolsDrive::Run(const std::string& command, const std::vector<std::string>& arguments,
                             ChildLifetime lifetime) const
{
    if (folder_.empty())
        return {};
    std::vector<std::string> argv{command};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    ChildEnvironment environment;
    environment.droppedPrefixes = {"MTOOLS", "LC_", "LANG"};
    environment.set = {{"MTOOLSRC", folder_ + "/mtoolsrc"}, {"HOME", folder_}, {"LC_ALL", "C.UTF-8"}};
    return RunChild(argv, environment, lifetime);
}

}  // namespace platform
