#pragma once
// Helpers shared by tests: the temporary folder, whole-file reads and
// writes, and a varied logo picture.

#include "common/TempDir.h"
#include "logo/Picture.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace testing_support {

inline std::vector<std::uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A logo-shaped picture with varied content: a gradient over most entries,
// some noise, a few duplicate and unused entries.
inline logo::LogoImage MakeVariedLogo(unsigned seed)
{
    logo::LogoImage image = logo::MakeBlankLogo();
    std::mt19937 random(seed);
    for (int i = 0; i < 256; ++i) {
        image.colorTable[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(random()),
                                                         static_cast<std::uint8_t>(random()),
                                                         static_cast<std::uint8_t>(random()), 0};
    }
    for (int y = 0; y < logo::kLogoHeight; ++y) {
        for (int x = 0; x < logo::kLogoWidth; ++x) {
            std::uint8_t value = static_cast<std::uint8_t>((x + y) % 200);
            if (random() % 7 == 0)
                value = static_cast<std::uint8_t>(random() % 230);
            image.pixels[static_cast<std::size_t>(y * logo::kLogoWidth + x)] = value;
        }
    }
    return image;
}

// A logo picture's colour table as the logo calls take it.
inline logo::ColorTable TableOf(const logo::LogoImage& image)
{
    logo::ColorTable table{};
    std::copy(image.colorTable.begin(), image.colorTable.end(), table.begin());
    return table;
}

}  // namespace testing_support
