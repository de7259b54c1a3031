#pragma once
// A Windows installation on a temporary drive C: for the slot tests, and
// writers for the BMP variants Apply has to turn into logo files.

#include "common/BmpBuilder.h"
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
    ~DriveC() { platform::SetFileSystem(nullptr); }
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
    testing_support::BmpParts parts;
    parts.headerSize = 12;
    parts.width = logo::kLogoWidth;
    parts.height = logo::kLogoHeight;
    parts.table = table;
    parts.pixelData = testing_support::PackRows(
        8, testing_support::FileOrderRows(logo::kLogoWidth, logo::kLogoHeight, 8, logoFile.pixels, false));
    logoFile.file = testing_support::BuildBmp(parts);
    return logoFile;
}

}  // namespace slots_test
