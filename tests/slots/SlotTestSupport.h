#pragma once
// A Windows installation on a temporary drive C: for the slot tests, and
// writers for the BMP variants Apply has to turn into logo files.

#include "common/TestFiles.h"
#include "logo/LogoFile.h"
#include "platform/files/LogoFileWriter.h"
#include "platform/files/DriveTable.h"
#include "platform/files/FileSystem.h"
#include "platform/files/HostDriveFileSystem.h"
#include "slots/SystemLocations.h"

#include <sys/stat.h>
#include <sys/xattr.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace slots_test {

using Bytes = std::vector<std::uint8_t>;

// Drive C: with a WINDOWS folder (upper case on disk, as a FAT copy has
// it), installed as the file system while the object lives.
class DriveC {
public:
    DriveC()
    {
        std::filesystem::create_directories(dir_.Path() / "WINDOWS" / "SYSTEM");
        platform::DriveTable drives;
        drives.Map('C', dir_.Path().string());
        platform::SetFileSystem(std::make_unique<platform::HostDriveFileSystem>(drives));
    }
    ~DriveC()
    {
        // Clean-up must get through read-only files and folders.
        std::error_code ignored;
        for (auto it = std::filesystem::recursive_directory_iterator(dir_.Path(), ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
            chmod(it->path().c_str(), 0700);
        platform::SetFileSystem(nullptr);
    }
    DriveC(const DriveC&) = delete;
    DriveC& operator=(const DriveC&) = delete;

    SystemLocations Locations() const { return NormaliseLocations("C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM"); }

    // Host path of a file on the drive, relative with '/'.
    std::string Host(const std::string& relative) const { return (dir_.Path() / relative).string(); }

    void Write(const std::string& relative, const Bytes& bytes) const
    {
        std::filesystem::create_directories(std::filesystem::path(Host(relative)).parent_path());
        testing_support::WriteAll(Host(relative), bytes);
    }
    Bytes Read(const std::string& relative) const { return testing_support::ReadAll(Host(relative)); }
    bool Exists(const std::string& relative) const { return std::filesystem::exists(Host(relative)); }

    std::set<std::string> Listing(const std::string& relative) const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Host(relative)))
            names.insert(entry.path().filename().string());
        return names;
    }

private:
    testing_support::TempDir dir_;
};

inline std::optional<std::string> DosAttrib(const std::string& hostPath)
{
    char value[64];
    const ssize_t size = getxattr(hostPath.c_str(), "user.DOSATTRIB", value, sizeof value);
    if (size < 0)
        return std::nullopt;
    return std::string(value, static_cast<std::size_t>(size));
}

inline bool UserXattrsWork(const std::string& hostFolder)
{
    const std::string probe = hostFolder + "/.xattr-probe";
    testing_support::WriteAll(probe, {});
    const bool works = setxattr(probe.c_str(), "user.lumivane-probe", "1", 1, 0) == 0;
    std::filesystem::remove(probe);
    return works;
}

inline mode_t ModeOf(const std::string& hostPath)
{
    struct stat info {};
    stat(hostPath.c_str(), &info);
    return info.st_mode & 07777;
}

// The bytes WriteLogoFile produces for a varied picture.
inline Bytes ExactLogoBytes(unsigned seed, bool animated, std::uint8_t count)
{
    testing_support::TempDir scratch;
    const logo::LogoImage image = testing_support::MakeVariedLogo(seed);
    logo::ColorTable table{};
    std::copy(image.colorTable.begin(), image.colorTable.end(), table.begin());
    platform::WriteLogoFile(scratch.File("logo.bmp"), image, table, animated, count);
    return testing_support::ReadAll(scratch.File("logo.bmp"));
}

// A logo picture in another BMP variant and the pixels and table any
// faithful conversion must keep.
struct VariantLogo {
    Bytes file;
    std::vector<std::uint8_t> pixels;  // top-down, 320 x 400
    logo::ColorTable table{};          // entries the file leaves out are black
};

inline std::vector<std::uint8_t> PatternPixels(unsigned modulo)
{
    std::vector<std::uint8_t> pixels(logo::kLogoPixelBytes);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<std::uint8_t>((i * 7 + i / 320) % modulo);
    return pixels;
}

inline std::vector<logo::RgbQuad> PatternTable(std::size_t entries)
{
    std::vector<logo::RgbQuad> table(entries);
    for (std::size_t i = 0; i < entries; ++i)
        table[i] = {static_cast<std::uint8_t>(i * 3 + 1), static_cast<std::uint8_t>(255 - i),
                    static_cast<std::uint8_t>(i ^ 0x5A), 0};
    return table;
}

// 40-byte header, 8 bits, `entries` colours, optionally top-down, with
// `marker` at offset 50.
inline VariantLogo WindowsVariant(std::size_t entries, bool topDown, std::uint8_t marker)
{
    VariantLogo logoFile;
    logoFile.pixels = PatternPixels(static_cast<unsigned>(entries));
    const auto table = PatternTable(entries);
    std::copy(table.begin(), table.end(), logoFile.table.begin());
    logoFile.file = testing_support::MakeBmp(logo::kLogoWidth, logo::kLogoHeight, 8, table, logoFile.pixels, topDown,
                                             marker);
    return logoFile;
}

// OS/2 1.x: 12-byte core header, three-byte table entries, bottom-up. The
// byte at offset 50 falls inside the table (entry 8, blue).
inline VariantLogo Os2Variant()
{
    VariantLogo logoFile;
    logoFile.pixels = PatternPixels(256);
    const auto table = PatternTable(256);
    std::copy(table.begin(), table.end(), logoFile.table.begin());
    const std::size_t offset = 14 + 12 + 256 * 3;
    Bytes& file = logoFile.file;
    file.assign(offset + logo::kLogoPixelBytes, 0);
    file[0] = 'B';
    file[1] = 'M';
    testing_support::PutLE(file, 2, static_cast<std::uint32_t>(file.size()), 4);
    testing_support::PutLE(file, 10, static_cast<std::uint32_t>(offset), 4);
    testing_support::PutLE(file, 14, 12, 4);
    testing_support::PutLE(file, 18, logo::kLogoWidth, 2);
    testing_support::PutLE(file, 20, logo::kLogoHeight, 2);
    testing_support::PutLE(file, 22, 1, 2);
    testing_support::PutLE(file, 24, 8, 2);
    for (std::size_t i = 0; i < 256; ++i) {
        file[26 + i * 3] = table[i].blue;
        file[26 + i * 3 + 1] = table[i].green;
        file[26 + i * 3 + 2] = table[i].red;
    }
    for (std::size_t y = 0; y < static_cast<std::size_t>(logo::kLogoHeight); ++y) {
        const std::size_t fileRow = static_cast<std::size_t>(logo::kLogoHeight) - 1 - y;
        std::copy_n(logoFile.pixels.begin() + static_cast<std::ptrdiff_t>(y * 320), 320,
                    file.begin() + static_cast<std::ptrdiff_t>(offset + fileRow * 320));
    }
    return logoFile;
}

}  // namespace slots_test
