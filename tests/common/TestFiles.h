#pragma once
// Helpers shared by tests: temporary folders, whole-file reads and a writer
// for small uncompressed BMP files of any depth.

#include "logo/Picture.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace testing_support {

class TempDir {
public:
    TempDir()
    {
        std::random_device device;
        m_path = std::filesystem::temp_directory_path() / ("lumivane-test-" + std::to_string(device()) + std::to_string(device()));
        std::filesystem::create_directories(m_path);
    }
    ~TempDir()
    {
        std::error_code error;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(m_path, error);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

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

inline void PutLE(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// An uncompressed BMP with a 40-byte header. `indices` (indexed depths) or
// `bgr` (24 bits, three bytes a pixel) are given top-down without padding.
inline std::vector<std::uint8_t> MakeBmp(std::int32_t width, std::int32_t height, std::uint16_t bits,
                                         const std::vector<logo::RgbQuad>& table,
                                         const std::vector<std::uint8_t>& pixels, bool topDown = false,
                                         std::uint32_t clrImportant = 0)
{
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    const std::size_t offset = 54 + table.size() * 4;
    std::vector<std::uint8_t> file(offset + stride * static_cast<std::size_t>(height), 0);
    file[0] = 'B';
    file[1] = 'M';
    PutLE(file, 2, static_cast<std::uint32_t>(file.size()), 4);
    PutLE(file, 10, static_cast<std::uint32_t>(offset), 4);
    PutLE(file, 14, 40, 4);
    PutLE(file, 18, static_cast<std::uint32_t>(width), 4);
    PutLE(file, 22, static_cast<std::uint32_t>(topDown ? -height : height), 4);
    PutLE(file, 26, 1, 2);
    PutLE(file, 28, bits, 2);
    PutLE(file, 46, static_cast<std::uint32_t>(table.size()), 4);
    PutLE(file, 50, clrImportant, 4);
    for (std::size_t i = 0; i < table.size(); ++i) {
        file[54 + i * 4] = table[i].blue;
        file[54 + i * 4 + 1] = table[i].green;
        file[54 + i * 4 + 2] = table[i].red;
    }
    for (std::int32_t y = 0; y < height; ++y) {
        const std::int32_t fileRow = topDown ? y : height - 1 - y;
        std::uint8_t* row = file.data() + offset + static_cast<std::size_t>(fileRow) * stride;
        for (std::int32_t x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
            if (bits == 24) {
                row[x * 3] = pixels[at * 3];
                row[x * 3 + 1] = pixels[at * 3 + 1];
                row[x * 3 + 2] = pixels[at * 3 + 2];
            } else if (bits == 8) {
                row[x] = pixels[at];
            } else if (bits == 4) {
                row[x / 2] = static_cast<std::uint8_t>(row[x / 2] | ((pixels[at] & 0x0F) << ((x % 2) ? 0 : 4)));
            } else if (bits == 1) {
                row[x / 8] = static_cast<std::uint8_t>(row[x / 8] | ((pixels[at] & 1) << (7 - x % 8)));
            }
        }
    }
    return file;
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

}  // namespace testing_support
