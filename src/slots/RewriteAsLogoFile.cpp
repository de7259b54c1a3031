#include "RewriteAsLogoFile.h"

#include "logo/BmpReader.h"
#include "logo/LogoFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>

namespace {

constexpr std::streamoff kInfoHeaderSizeOffset = 14;
constexpr std::uint32_t kFullInfoHeaderSize = 40;

bool HasFullInfoHeader(const std::string& hostPath)
{
    std::ifstream file(hostPath, std::ios::binary);
    std::array<unsigned char, 4> bytes{};
    if (!file.seekg(kInfoHeaderSizeOffset) || !file.read(reinterpret_cast<char*>(bytes.data()), bytes.size()))
        return false;
    std::uint32_t size = 0;
    for (auto it = bytes.rbegin(); it != bytes.rend(); ++it)
        size = (size << 8) | *it;
    return size >= kFullInfoHeaderSize;
}

}  // namespace

bool RewriteAsLogoFile(const std::string& sourceHostPath, const std::string& targetHostPath)
{
    const logo::LoadResult loaded = logo::LoadBmpFile(sourceHostPath);
    if (!loaded || !logo::IsLogoImage(*loaded.picture))
        return false;
    const logo::LogoImage& picture = *loaded.picture;

    logo::ColorTable table{};
    std::copy_n(picture.colorTable.begin(), table.size(), table.begin());

    std::uint8_t count = 0;
    const bool animated = HasFullInfoHeader(sourceHostPath) && logo::ReadAnimationCount(sourceHostPath, count);
    return logo::WriteLogoFile(targetHostPath, picture, table, animated, count);
}
