#include "slots/RewriteAsLogoFile.h"

#include "logo/BmpReader.h"
#include "logo/LogoFile.h"
#include "platform/files/LogoFileWriter.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr std::uint32_t kFullInfoHeaderSize = 40;

}  // namespace

bool RewriteAsLogoFile(const std::string& sourceHostPath, const std::string& targetHostPath)
{
    const logo::HeaderResult header = logo::ReadBmpFileHeader(sourceHostPath);
    if (!header)
        return false;
    const logo::LoadResult loaded = logo::LoadBmpFile(sourceHostPath);
    if (!loaded || !logo::IsLogoImage(*loaded.picture))
        return false;
    const logo::LogoImage& picture = *loaded.picture;

    logo::ColorTable table{};
    std::copy_n(picture.colorTable.begin(), table.size(), table.begin());

    std::uint8_t count = 0;
    const bool animated = header.header->headerSize >= kFullInfoHeaderSize
        && logo::ReadAnimationCount(sourceHostPath, count);
    return platform::WriteLogoFile(targetHostPath, picture, table, animated, count);
}
