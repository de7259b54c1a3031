#pragma once
// A varied logo written as a logo file, for tests that need one on disk.

#include "common/TestFiles.h"
#include "platform/files/LogoFileWriter.h"

#include <algorithm>
#include <string>

namespace testing_support {

inline std::string WriteVariedLogoFile(const std::string& path, unsigned seed)
{
    const logo::LogoImage picture = MakeVariedLogo(seed);
    logo::ColorTable table{};
    std::copy_n(picture.colorTable.begin(), table.size(), table.begin());
    platform::WriteLogoFile(path, picture, table, false, 0);
    return path;
}

}  // namespace testing_support
