#include "slots/ConvertedPictures.h"

#include "platform/files/LogoFileWriter.h"
#include "platform/files/UserDirectories.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

// Past this many namesakes something is wrong with the folder.
constexpr int kMaxNamesakes = 10000;

std::string StemOf(const std::string& sourcePath)
{
    const std::string stem = std::filesystem::path(sourcePath).stem().string();
    return stem.empty() ? std::string("picture") : stem;
}

// Claims a free name by creating the file exclusively, so two conversions
// at once cannot choose the same one.
std::optional<std::filesystem::path> ClaimFreeName(const std::filesystem::path& folder, const std::string& stem)
{
    for (int n = 1; n <= kMaxNamesakes; ++n) {
        const std::string name = n == 1 ? stem + ".bmp" : stem + " (" + std::to_string(n) + ").bmp";
        const std::filesystem::path candidate = folder / name;
        if (std::FILE* file = std::fopen(candidate.string().c_str(), "wx")) {
            std::fclose(file);
            return candidate;
        }
        std::error_code error;
        if (!std::filesystem::exists(candidate, error))
            return std::nullopt;  // not taken, yet not creatable: the folder refuses
    }
    return std::nullopt;
}

}  // namespace

std::string ConvertedPicturesFolder()
{
    const std::filesystem::path folder = std::filesystem::path(platform::DataHome()) / "lumivane" / "pictures";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder.string();
}

std::optional<std::string> StoreConvertedLogo(const std::string& sourcePath, const logo::LogoImage& picture,
                                              bool animated, std::uint8_t count)
{
    const std::optional<std::filesystem::path> target = ClaimFreeName(ConvertedPicturesFolder(), StemOf(sourcePath));
    if (!target)
        return std::nullopt;
    logo::ColorTable table{};
    std::copy_n(picture.colorTable.begin(), std::min(picture.colorTable.size(), table.size()), table.begin());
    if (!platform::WriteLogoFile(target->string(), picture, table, animated, count)) {
        std::error_code error;
        std::filesystem::remove(*target, error);
        return std::nullopt;
    }
    return target->string();
}
