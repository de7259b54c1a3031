#pragma once
// Galleries for the rotate tests: three logos of their own and two entries
// that are no logo.

#include "common/TestFiles.h"
#include "platform/files/LogoFileWriter.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

namespace testing_support {

inline void WriteTestLogo(const std::string& path, unsigned seed)
{
    const logo::LogoImage picture = MakeVariedLogo(seed);
    logo::ColorTable table{};
    std::copy_n(picture.colorTable.begin(), table.size(), table.begin());
    platform::WriteLogoFile(path, picture, table, false, 0);
}

// A.bmp, b.bmp and c.bmp (each its own picture, the same in every gallery),
// notes.txt and the folder old.
inline std::string MakeGallery(const TempDir& dir, const std::string& name)
{
    const std::string gallery = dir.File(name);
    std::filesystem::create_directories(gallery + "/old");
    unsigned seed = 20;
    for (const char* logoName : {"c.bmp", "A.bmp", "b.bmp"})
        WriteTestLogo(gallery + "/" + logoName, seed++);
    std::ofstream(gallery + "/notes.txt") << "not a picture";
    return gallery;
}

}  // namespace testing_support
