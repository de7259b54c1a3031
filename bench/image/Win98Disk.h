#pragma once
// The disk of a Windows 98 virtual machine as users keep one, made at
// benchmark time: a 4 GiB MBR disk with one FAT32 partition at sector 63
// holding the sample drive's tree (the three logos hidden) and about 2.1 GB
// in 7,000 files (a WINDOWS tree, Program Files, a games folder), half of
// each file random and half text, so the compressed VMDK is realistic. Then
// the same disk in every container the drive table accepts that qemu reads.

#include "common/FatImages.h"
#include "host/SampleDrive.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace imagebench {

struct DiskFormat {
    const char* name;     // "qcow2", "dynamic VDI", ...
    const char* file;     // "win98.qcow2"
    const char* format;   // qemu-img's output format, "" for the raw disk
    const char* options;
};

inline const std::vector<DiskFormat>& DiskFormats()
{
    static const std::vector<DiskFormat> formats{
        {"raw", "win98.img", "", ""},
        {"qcow2", "win98.qcow2", "qcow2", "compat=1.1"},
        {"dynamic VDI", "win98.vdi", "vdi", "static=off"},
        {"dynamic VHD", "win98.vhd", "vpc", "subformat=dynamic"},
        {"sparse VMDK", "win98.vmdk", "vmdk", "subformat=monolithicSparse"},
        {"streamOptimized VMDK", "win98-stream.vmdk", "vmdk", "subformat=streamOptimized"},
    };
    return formats;
}

// The bulk of an installed system, as host files below folder.
inline bool WriteBulkFiles(const std::filesystem::path& folder)
{
    namespace fs = std::filesystem;
    const std::vector<std::pair<std::string, int>> folders{
        {"WINDOWS", 1500}, {"WINDOWS/SYSTEM", 2500}, {"WINDOWS/INF", 500}, {"Program Files/Office", 900},
        {"Program Files/Plus!", 300}, {"Program Files/Internet Explorer", 300}, {"GAMES", 1000}};
    std::mt19937_64 random(98);
    std::vector<char> buffer(1200 * 1024);
    int number = 0;
    for (const auto& [name, count] : folders) {
        fs::create_directories(folder / name);
        for (int i = 0; i < count; ++i, ++number) {
            // 4 KB to 600 KB, a few large ones: about 300 KB on average.
            std::size_t size = 4096 + random() % (600 * 1024);
            if (number % 50 == 0)
                size = 1200 * 1024;
            for (std::size_t at = 0; at < size / 2; at += 8) {
                const std::uint64_t value = random();
                std::copy_n(reinterpret_cast<const char*>(&value), std::min<std::size_t>(8, size / 2 - at),
                            buffer.data() + at);
            }
            for (std::size_t at = size / 2; at < size; ++at)
                buffer[at] = "DEVICE=C:\\WINDOWS\\HIMEM.SYS\r\n"[at % 29];
            std::string file = std::to_string(number);
            file.append(".DAT");
            std::ofstream(folder / name / file, std::ios::binary)
                .write(buffer.data(), static_cast<std::streamsize>(size));
        }
    }
    return true;
}

// Makes root/win98.img and its conversions unless they are there already.
inline bool MakeWin98Disks(const std::filesystem::path& root)
{
    namespace fs = std::filesystem;
    const std::string raw = (root / "win98.img").string();
    if (!fs::exists(root / "complete")) {
        std::string error;
        const fs::path tree = root / "tree";
        fs::remove_all(tree);
        if (!host::EnsureSampleDrive(tree, error) || !WriteBulkFiles(tree))
            return false;
        const int made = testing_support::Shell(
            "rm -f '" + raw + "'; truncate -s 4G '" + raw + "'; echo 'start=63, type=c' | sfdisk -q '" + raw +
            "'; mkfs.fat -F 32 -h 63 --offset 63 '" + raw + "'; mcopy -s -i '" + raw + "@@32256' '" + tree.string() +
            "'/* ::/; mattrib -i '" + raw + "@@32256' +h ::/LOGO.SYS ::/WINDOWS/LOGOW.SYS ::/WINDOWS/LOGOS.SYS");
        fs::remove_all(tree);
        if (made != 0)
            return false;
        for (const DiskFormat& format : DiskFormats()) {
            if (format.format[0] != '\0' &&
                !testing_support::ConvertImage(raw, (root / format.file).string(), format.format, format.options))
                return false;
        }
        std::ofstream(root / "complete") << "made\n";
    }
    return true;
}

}  // namespace imagebench
