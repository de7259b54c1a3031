#pragma once
// Disk images for the image-drive tests, made at test time with the packaged
// tools (mkfs.fat, mtools, sfdisk, qemu-img): small, sparse, made once per
// build (kept beside the test program), never committed.
// Every volume holds the same Windows tree: C:\logo.sys, C:\WINDOWS\LOGOW.SYS,
// C:\WINDOWS\SYSTEM\New.tpl and "C:\Program Files\A Long Folder\readme.txt".

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace testing_support {

inline bool HasImageTools()
{
    return std::system("command -v mcopy mkfs.fat sfdisk qemu-img fsck.fat >/dev/null 2>&1") == 0;
}

inline int Shell(const std::string& command)
{
    return std::system(("set -e; export MTOOLS_SKIP_CHECK=1 MTOOLSRC=/dev/null; " + command + " >/dev/null 2>&1").c_str());
}

inline std::string Quoted(const std::string& text)
{
    return "'" + text + "'";
}

// Made images are kept beside the test program, named by the commands that
// make them (with the picture's bytes), so each is made once per build
// rather than once per test (a dozen processes each), and a change to the
// commands makes it afresh; every test gets a sparse copy of its own.
// commands(image, logo): the shell text that makes image from logo.
inline bool MadeOnce(const std::function<std::string(const std::string&, const std::string&)>& commands,
                     const std::string& file, const std::string& logo)
{
    std::ifstream picture(logo, std::ios::binary);
    const std::string recipe = commands("IMAGE", "LOGO") +
                               std::string(std::istreambuf_iterator<char>(picture), std::istreambuf_iterator<char>());
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path() / "image-cache";
    char name[32];
    std::snprintf(name, sizeof name, "%016zx.img", std::hash<std::string>{}(recipe));
    const std::string kept = (folder / name).string();
    if (error || !std::filesystem::exists(kept)) {
        // Made under a name of this process, then renamed: tests side by
        // side never see half an image.
        std::filesystem::create_directories(folder, error);
        const std::string made = kept + "." + std::to_string(getpid());
        if (error || Shell(commands(made, logo)) != 0 || std::rename(made.c_str(), kept.c_str()) != 0) {
            std::filesystem::remove(made, error);
            return false;
        }
    }
    return Shell("rm -f " + Quoted(file) + "; cp --sparse=always " + Quoted(kept) + " " + Quoted(file)) == 0;
}

// The tree above as a FAT volume in its own file (FAT 12, 16 or 32).
inline std::string FatVolumeCommands(const std::string& file, int fatBits, int kilobytes, const std::string& logo)
{
    const std::string image = Quoted(file);
    const std::string readme = Quoted(file + ".txt");
    return "rm -f " + image + "; printf 'read me\\n' > " + readme + "; mkfs.fat -C -F " + std::to_string(fatBits) +
           " " + image + " " + std::to_string(kilobytes) + "; mmd -i " + image +
           " ::/WINDOWS ::/WINDOWS/SYSTEM '::/Program Files' '::/Program Files/A Long Folder'; mcopy -i " + image + " " +
           Quoted(logo) + " ::/logo.sys; mcopy -i " + image + " " + Quoted(logo) + " ::/WINDOWS/LOGOW.SYS; mcopy -i " +
           image + " " + Quoted(logo) + " ::/WINDOWS/SYSTEM/New.tpl; mcopy -i " + image + " " + readme +
           " '::/Program Files/A Long Folder/readme.txt'; mattrib -i " + image + " +h +s ::/logo.sys; rm -f " + readme;
}

inline bool MakeFatVolume(const std::string& file, int fatBits, int kilobytes, const std::string& logo)
{
    return MadeOnce([&](const std::string& image, const std::string& picture) {
        return FatVolumeCommands(image, fatBits, kilobytes, picture);
    }, file, logo);
}

// A 60 MB disk: partition 1 FAT16 at 1 MiB, an extended partition holding
// logical partition 5 (FAT32).
inline bool MakePartitionedDisk(const std::string& file, const std::string& logo)
{
    return MadeOnce([](const std::string& image, const std::string& picture) {
        const std::string disk = Quoted(image);
        return FatVolumeCommands(image + ".p1", 16, 16384, picture) + "; " +
               FatVolumeCommands(image + ".p5", 32, 34816, picture) + "; truncate -s 60M " + disk +
               "; printf 'label: dos\\nstart=2048, size=32768, type=6\\nstart=36864, type=5\\n"
               "start=38912, size=69632, type=c\\n' | sfdisk -q " + disk + "; dd if=" + Quoted(image + ".p1") + " of=" +
               disk + " bs=512 seek=2048 conv=notrunc,sparse; dd if=" + Quoted(image + ".p5") + " of=" + disk +
               " bs=512 seek=38912 conv=notrunc,sparse; rm -f " + Quoted(image + ".p1") + " " + Quoted(image + ".p5");
    }, file, logo);
}

// A host folder's tree as a 24 MB FAT16 volume: the whole file (a
// superfloppy), or partition 1 of an MBR disk starting at 1 MiB.
inline bool PackFolder(const std::string& folder, const std::string& file, bool partitioned)
{
    const std::string volume = Quoted(partitioned ? file + ".p1" : file);
    if (Shell("rm -f " + volume + "; mkfs.fat -C -F 16 " + volume + " 24576; mcopy -s -i " + volume + " " +
              Quoted(folder) + "/* ::/") != 0)
        return false;
    if (!partitioned)
        return true;
    const std::string disk = Quoted(file);
    return Shell("truncate -s 26M " + disk + "; echo 'start=2048, size=49152, type=6' | sfdisk -q " + disk +
                 "; dd if=" + volume + " of=" + disk + " bs=512 seek=2048 conv=notrunc,sparse; rm -f " + volume) == 0;
}

// A raw disk converted by qemu-img into another container ("vpc" with
// subformat=fixed, "vdi" with static=on, "vmdk" with subformat=monolithicFlat).
inline bool ConvertImage(const std::string& raw, const std::string& out, const std::string& format,
                         const std::string& options)
{
    return Shell("qemu-img convert -f raw -O " + format + " -o " + options + " " + Quoted(raw) + " " + Quoted(out)) == 0;
}

// fsck.fat -n over the volume at offset; true when it finds nothing.
inline bool FsckClean(const std::string& file, std::uint64_t offset, std::uint64_t size)
{
    const std::string volume = file + ".fsck";
    const bool extracted = Shell("dd if=" + Quoted(file) + " of=" + Quoted(volume) + " bs=512 skip=" +
                                 std::to_string(offset / 512) + " count=" + std::to_string(size / 512) +
                                 " conv=sparse") == 0;
    const bool clean = extracted && Shell("fsck.fat -n " + Quoted(volume)) == 0;
    std::filesystem::remove(volume);
    return clean;
}

// mtools' own listing of a file's attribute letters ("  A  SH   ..."), read
// without Lumivane's code.
inline std::string MattribLine(const std::string& file, std::uint64_t offset, const std::string& path)
{
    const std::string out = file + ".attr";
    std::system(("MTOOLS_SKIP_CHECK=1 MTOOLSRC=/dev/null mattrib -i " + Quoted(file + "@@" + std::to_string(offset)) +
                 " " + Quoted(path) + " > " + Quoted(out) + " 2>/dev/null").c_str());
    std::ifstream in(out);
    std::string line;
    std::getline(in, line);
    std::filesystem::remove(out);
    return line.size() > 8 ? line.substr(0, 8) : std::string();
}

}  // namespace testing_support
