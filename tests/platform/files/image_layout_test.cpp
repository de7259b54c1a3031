// Recognising disk images by content, on bytes built in memory: containers,
// partition tables with logical partitions, FAT boot sectors, and the
// reading of mtools' listings.

#include "platform/files/ImageContainer.h"
#include "platform/files/ImageVolume.h"
#include "platform/files/MtoolsListing.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

void Put16(Bytes& bytes, std::size_t at, std::uint16_t value)
{
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

// A FAT16 boot sector at byte `at` claiming `sectors` sectors.
void PutBootSector(Bytes& disk, std::size_t at, std::uint32_t sectors)
{
    disk[at] = 0xEB;
    disk[at + 1] = 0x3C;
    disk[at + 2] = 0x90;
    Put16(disk, at + 11, 512);
    disk[at + 13] = 4;
    Put16(disk, at + 14, 1);
    disk[at + 16] = 2;
    disk[at + 21] = 0xF8;
    Put16(disk, at + 22, 32);
    Put32(disk, at + 32, sectors);
    disk[at + 510] = 0x55;
    disk[at + 511] = 0xAA;
}

void PutEntry(Bytes& sector, std::size_t base, int index, std::uint8_t type, std::uint32_t first, std::uint32_t count)
{
    const std::size_t at = base + 446 + static_cast<std::size_t>(index) * 16;
    sector[at + 4] = type;
    Put32(sector, at + 8, first);
    Put32(sector, at + 12, count);
    sector[base + 510] = 0x55;
    sector[base + 511] = 0xAA;
}

// Partition 1 Linux, partition 2 FAT16, an extended partition at sector 300
// with logical 5 (FAT32) and 6 (FAT16).
Bytes PartitionedDisk()
{
    Bytes disk(600 * 512, 0);
    PutEntry(disk, 0, 0, 0x83, 10, 40);
    PutEntry(disk, 0, 1, 0x06, 100, 100);
    PutEntry(disk, 0, 2, 0x05, 300, 300);
    PutBootSector(disk, 100 * 512, 100);
    PutEntry(disk, 300 * 512, 0, 0x0C, 2, 100);
    PutEntry(disk, 300 * 512, 1, 0x05, 150, 150);
    PutBootSector(disk, 302 * 512, 100);
    PutEntry(disk, 450 * 512, 0, 0x06, 2, 100);
    PutBootSector(disk, 452 * 512, 100);
    return disk;
}

platform::ImageVolumeResult Locate(const Bytes& disk, int partition)
{
    const platform::BufferImageBytes bytes(disk);
    return platform::LocateVolumeOnDisk(bytes, 0, disk.size(), partition);
}

TEST(ImageVolume, PartitionedDiskDefaultsToTheFirstFatPartitionAndReachesLogicalOnes)
{
    const Bytes disk = PartitionedDisk();
    const auto first = Locate(disk, 0);
    ASSERT_TRUE(first.volume) << first.error;
    EXPECT_EQ(first.volume->partition, 2);
    EXPECT_EQ(first.volume->offset, 100u * 512);

    const auto fifth = Locate(disk, 5);
    ASSERT_TRUE(fifth.volume) << fifth.error;
    EXPECT_EQ(fifth.volume->offset, 302u * 512);
    const auto sixth = Locate(disk, 6);
    ASSERT_TRUE(sixth.volume) << sixth.error;
    EXPECT_EQ(sixth.volume->offset, 452u * 512);
}

TEST(ImageVolume, WrongPartitionChoicesAreNamed)
{
    const Bytes disk = PartitionedDisk();
    EXPECT_EQ(Locate(disk, 1).error, "partition 1 is not a FAT partition (type 0x83)");
    EXPECT_EQ(Locate(disk, 7).error, "has no partition 7");
    EXPECT_EQ(Locate(disk, 3).error, "partition 3 is not a FAT partition (type 0x05)");
}

TEST(ImageVolume, SuperfloppyTruncationAndNonImages)
{
    Bytes floppy(200 * 512, 0);
    PutBootSector(floppy, 0, 200);
    const auto whole = Locate(floppy, 0);
    ASSERT_TRUE(whole.volume) << whole.error;
    EXPECT_EQ(whole.volume->offset, 0u);
    EXPECT_EQ(whole.volume->partition, 0);
    EXPECT_NE(Locate(floppy, 1).error.find("has no partition table"), std::string::npos);

    floppy.resize(100 * 512);
    EXPECT_EQ(Locate(floppy, 0).error, "is truncated: its file system needs 102400 bytes, the image holds 51200");

    Bytes text(4096, 'x');
    EXPECT_NE(Locate(text, 0).error.find("is not a disk image"), std::string::npos);
    EXPECT_EQ(Locate(Bytes(100, 0), 0).error, "is too small to be a disk image");

    Bytes linuxOnly(100 * 512, 0);
    PutEntry(linuxOnly, 0, 0, 0x83, 1, 50);
    EXPECT_EQ(Locate(linuxOnly, 0).error, "has no FAT partition");

    Bytes cut = PartitionedDisk();
    cut.resize(150 * 512);
    EXPECT_NE(Locate(cut, 0).error.find("is truncated"), std::string::npos);
}

TEST(ImageVolume, LogicalChainThatLoopsEnds)
{
    Bytes disk = PartitionedDisk();
    // The last link points at its own table.
    PutEntry(disk, 450 * 512, 1, 0x05, 150, 150);
    EXPECT_TRUE(Locate(disk, 6).volume);
    EXPECT_EQ(Locate(disk, 7).error, "has no partition 7");
}

TEST(ImageContainer, KindsAreToldByContent)
{
    Bytes raw(4096, 0);
    EXPECT_EQ(platform::DetectContainer(platform::BufferImageBytes(raw)).kind, platform::ContainerKind::Raw);

    Bytes qcow(4096, 0);
    std::memcpy(qcow.data(), "QFI\xfb", 4);
    EXPECT_EQ(platform::DetectContainer(platform::BufferImageBytes(qcow)).kind, platform::ContainerKind::Qcow2);

    Bytes vhd(4096 + 512, 0);
    std::memcpy(vhd.data() + 4096, "conectix", 8);
    vhd[4096 + 63] = 2;
    const auto fixed = platform::DetectContainer(platform::BufferImageBytes(vhd));
    EXPECT_EQ(fixed.kind, platform::ContainerKind::VhdFixed);
    EXPECT_EQ(fixed.diskSize, 4096u);
    vhd[4096 + 63] = 3;
    EXPECT_EQ(platform::DetectContainer(platform::BufferImageBytes(vhd)).kind, platform::ContainerKind::VhdDynamic);

    const std::string descriptor = "# Disk DescriptorFile\nversion=1\ncreateType=\"monolithicFlat\"\n"
                                   "RW 16384 FLAT \"disk-flat.vmdk\" 8\n";
    const auto flat = platform::DetectContainer(platform::BufferImageBytes(Bytes(descriptor.begin(), descriptor.end())));
    EXPECT_EQ(flat.kind, platform::ContainerKind::VmdkFlat);
    EXPECT_EQ(flat.extentFile, "disk-flat.vmdk");
    EXPECT_EQ(flat.diskOffset, 8u * 512);
    EXPECT_EQ(flat.diskSize, 16384u * 512);
}

TEST(ImageContainer, StaticVdiNeedsAnIdentityBlockMap)
{
    Bytes vdi(0x400 + 2 * 4096, 0);
    Put32(vdi, 64, 0xBEDA107F);
    Put32(vdi, 76, 2);
    Put32(vdi, 340, 0x200);
    Put32(vdi, 344, 0x400);
    Put32(vdi, 368, 8192);
    Put32(vdi, 376, 4096);
    Put32(vdi, 384, 2);
    Put32(vdi, 0x200, 0);
    Put32(vdi, 0x204, 1);
    const auto found = platform::DetectContainer(platform::BufferImageBytes(vdi));
    EXPECT_EQ(found.kind, platform::ContainerKind::VdiStatic);
    EXPECT_EQ(found.diskOffset, 0x400u);
    Put32(vdi, 0x204, 0);
    EXPECT_EQ(platform::DetectContainer(platform::BufferImageBytes(vdi)).kind, platform::ContainerKind::VdiDynamic);
}

TEST(MtoolsListing, MdirAndMattribMerge)
{
    const std::string mdir = " Volume in drive Z has no label\n"
                             " Volume Serial Number is 0470-D603\n"
                             "Directory for Z:/WINDOWS\n\n"
                             ".            <DIR>     2026-12-09   3:51 \n"
                             "LOGOW    SYS         3 2026-12-09   3:51 \n"
                             "ALONGN~1 TXT         3 2026-12-09  13:51  a long name.txt\n"
                             "lower    sys         3 2026-12-09   3:51 \n"
                             "SUBDIR~1     <DIR>     2026-12-09   3:52  Sub Dir\n"
                             "README             120 2026-12-09   3:52 \n"
                             "        7 files           1 228 809 bytes\n"
                             "                         19 671 040 bytes free\n";
    const std::string mattrib = "             Z:/windows/.\n"
                                "  A    R     Z:/windows/LOGOW.SYS\n"
                                "  A  SH      Z:/windows/a long name.txt\n"
                                "             Z:/windows/lower.sys\n"
                                "             Z:/windows/Sub Dir\n";
    const auto entries = platform::MergeListings(platform::ParseMdirListing(mdir), platform::ParseMattribListing(mattrib));
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].shortName, "LOGOW.SYS");
    EXPECT_EQ(entries[0].attributes, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(entries[1].longName, "a long name.txt");
    EXPECT_EQ(entries[1].shortName, "ALONGN~1.TXT");
    EXPECT_EQ(entries[1].attributes, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(entries[2].shortName, "lower.sys");
    EXPECT_EQ(entries[2].attributes, FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(entries[3].isFolder);
    EXPECT_EQ(entries[3].attributes, FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(entries[4].shortName, "README");
    EXPECT_EQ(entries[4].size, 120u);
}

}  // namespace

namespace {

TEST(ImageContainer, ShortFilesWithAKnownMagicAreRaw)
{
    const std::string text = "conectix";
    const Bytes shortVhd(text.begin(), text.end());
    EXPECT_EQ(platform::DetectContainer(platform::BufferImageBytes(shortVhd)).kind, platform::ContainerKind::Raw);
    EXPECT_EQ(Locate(shortVhd, 0).error, "is too small to be a disk image");
}

}  // namespace
