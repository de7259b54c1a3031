// Drives inside disk images, on images made for each test by the packaged
// tools: every kind of image the drive table accepts, the applet's file calls
// on them, and the failures a write must survive with the file system clean.

#include "common/FatImages.h"
#include "common/ScopedEnv.h"
#include "common/TestFiles.h"
#include "common/VariedLogoFile.h"
#include "platform/files/DriveFileSystems.h"
#include "platform/files/ImageDriveCheck.h"
#include "platform/files/MountedViews.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <thread>

namespace {

using testing_support::FsckClean;
using testing_support::MattribLine;
using testing_support::ReadAll;
using testing_support::TempDir;

struct ImageKind {
    const char* name;
    int fatBits;          // 0: the partitioned disk
    const char* format;   // qemu-img output format, or "" for raw
    const char* options;
    int partition;
    bool throughCopy = false;  // as where FUSE cannot be used
};

std::string WriteLogo(const TempDir& dir, const std::string& name, unsigned seed)
{
    return testing_support::WriteVariedLogoFile(dir.File(name), seed);
}

class ImageDrive : public ::testing::TestWithParam<ImageKind> {
protected:
    void SetUp() override
    {
        if (!testing_support::HasImageTools())
            GTEST_SKIP() << "mtools, dosfstools, fdisk or qemu-utils missing";
        logo_ = WriteLogo(dir_, "logo.bmp", 1);
        otherLogo_ = WriteLogo(dir_, "other.bmp", 2);
        const ImageKind& kind = GetParam();
        const std::string raw = dir_.File("disk.img");
        ASSERT_TRUE(kind.fatBits != 0 ? testing_support::MakeFatVolume(raw, kind.fatBits, 16384, logo_)
                                      : testing_support::MakePartitionedDisk(raw, logo_));
        image_ = raw;
        if (kind.format[0] != '\0') {
            image_ = dir_.File(std::string("disk.") + kind.format);
            ASSERT_TRUE(testing_support::ConvertImage(raw, image_, kind.format, kind.options));
        }
        driveName_ = kind.partition != 0 ? image_ + "@" + std::to_string(kind.partition) : image_;
        if (kind.throughCopy)
            noFuse_.emplace("LUMIVANE_NO_FUSE", "1");
        const platform::ImageDriveReport report = platform::CheckImageDrive(driveName_);
        ASSERT_EQ(report.problem, "");
        const auto located = platform::LocateImageVolume(*platform::ParseImageDriveName(driveName_));
        ASSERT_TRUE(located.volume);
        viaQemu_ = located.volume->disk != nullptr;
        dataFile_ = located.volume->dataFile;
        // The route asked for is the one taken: a mounted view, or a copy
        // with a note that says why.
        EXPECT_EQ(viaQemu_ && platform::IsMountedOn(dataFile_), viaQemu_ && !kind.throughCopy);
        EXPECT_EQ(report.notes.size(), kind.throughCopy ? 1u : 0u);
        offset_ = located.volume->offset;
        volumeBytes_ = kind.fatBits != 0 ? 16384u * 1024 : (kind.partition == 5 ? 69632u * 512 : 32768u * 512);
        platform::DriveTable table;
        table.Map('C', driveName_);
        files_ = platform::DriveFileSystems::FromDriveTable(table);
    }

    // The image itself, as a raw disk, for checks by other programs.
    std::string CheckFile() const
    {
        if (!viaQemu_)
            return dataFile_;
        const std::string raw = dir_.File("check.raw");
        EXPECT_EQ(testing_support::Shell("rm -f '" + raw + "'; qemu-img convert -O raw '" + image_ + "' '" + raw + "'"), 0);
        return raw;
    }
    bool Clean() const { return FsckClean(CheckFile(), offset_, volumeBytes_); }
    std::string Attributes(const std::string& path) const { return MattribLine(CheckFile(), offset_, path); }

    TempDir dir_;
    testing_support::ScopedEnv cache_{"XDG_CACHE_HOME", dir_.File("cache")};
    std::optional<testing_support::ScopedEnv> noFuse_;
    std::string logo_;
    std::string otherLogo_;
    std::string image_;
    std::string driveName_;
    std::string dataFile_;
    bool viaQemu_ = false;
    std::uint64_t offset_ = 0;
    std::uint64_t volumeBytes_ = 0;
    std::unique_ptr<platform::DriveFileSystems> files_;
};

TEST_P(ImageDrive, FindsFilesByLongAndShortNamesInAnyCase)
{
    EXPECT_TRUE(files_->Exists("C:\\LOGO.SYS"));
    EXPECT_TRUE(files_->Exists("c:\\windows\\logow.sys"));
    EXPECT_TRUE(files_->Exists("C:\\windows\\system\\NEW.TPL"));
    EXPECT_TRUE(files_->Exists("c:\\program files\\a long folder\\README.txt"));
    EXPECT_TRUE(files_->Exists("C:\\PROGRA~1\\ALONGF~1\\readme.txt"));
    EXPECT_FALSE(files_->Exists("C:\\WINDOWS\\logos.sys"));
    EXPECT_FALSE(files_->Exists("C:\\logo.sys\\inside"));
    EXPECT_EQ(files_->GetAttributes("C:\\WINDOWS"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(files_->GetAttributes("C:\\"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(files_->GetAttributes("C:\\nothing"), INVALID_FILE_ATTRIBUTES);
}

TEST_P(ImageDrive, AttributeByteIsReadAndReplacedExactly)
{
    EXPECT_EQ(files_->GetAttributes("C:\\logo.sys"), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    ASSERT_TRUE(files_->SetAttributes("C:\\logo.sys", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(files_->GetAttributes("C:\\logo.sys"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Attributes("::/logo.sys"), "        ");
    ASSERT_TRUE(files_->SetAttributes("C:\\LOGO.SYS", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(Attributes("::/logo.sys"), "      HR");
    EXPECT_EQ(files_->GetAttributes("c:\\logo.sys"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(files_->SetAttributes("C:\\missing.sys", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(Clean());
}

TEST_P(ImageDrive, NewFileKeepsTheSpellingAskedForAndReplacingKeepsTheOldName)
{
    ASSERT_TRUE(files_->Copy(logo_, "C:\\WINDOWS\\Logos.sys", false));
    EXPECT_EQ(Attributes("::/WINDOWS/LOGOS.SYS"), "  A     ");
    const auto copy = files_->Resolve("c:\\windows\\logos.sys");
    ASSERT_TRUE(copy);
    EXPECT_EQ(std::filesystem::path(*copy).filename(), "Logos.sys");
    EXPECT_EQ(ReadAll(*copy), ReadAll(logo_));

    EXPECT_FALSE(files_->Copy(otherLogo_, "C:\\WINDOWS\\LOGOS.SYS", true));
    ASSERT_TRUE(files_->Copy(otherLogo_, "C:\\WINDOWS\\Logow.sys", false));
    const auto replaced = files_->Resolve("C:\\WINDOWS\\Logow.sys");
    ASSERT_TRUE(replaced);
    EXPECT_EQ(std::filesystem::path(*replaced).filename(), "LOGOW.SYS");
    EXPECT_EQ(ReadAll(*replaced), ReadAll(otherLogo_));
    EXPECT_TRUE(Clean());
}

TEST_P(ImageDrive, CopiesOutDeletesAndRefusesReadOnlyTargets)
{
    const std::string saved = dir_.File("saved.sys");
    ASSERT_TRUE(files_->Copy("C:\\WINDOWS\\LOGOW.SYS", saved, false));
    EXPECT_EQ(ReadAll(saved), ReadAll(logo_));
    ASSERT_TRUE(files_->Copy("C:\\WINDOWS\\LOGOW.SYS", "C:\\WINDOWS\\copy.sys", false));
    EXPECT_FALSE(files_->Copy("C:\\WINDOWS\\LOGOW.SYS", "c:\\windows\\logow.sys", false));

    ASSERT_TRUE(files_->SetAttributes("C:\\WINDOWS\\copy.sys", FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(files_->Delete("C:\\WINDOWS\\copy.sys"));
    EXPECT_FALSE(files_->Copy(logo_, "C:\\WINDOWS\\copy.sys", false));
    ASSERT_TRUE(files_->SetAttributes("C:\\WINDOWS\\copy.sys", FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(files_->Delete("C:\\WINDOWS\\copy.sys"));
    EXPECT_FALSE(files_->Exists("C:\\WINDOWS\\copy.sys"));
    EXPECT_FALSE(files_->Delete("C:\\WINDOWS"));
    EXPECT_TRUE(Clean());
}

TEST_P(ImageDrive, HostCopiesAreReadOnlyAndInTheCacheFolder)
{
    const auto copy = files_->Resolve("C:\\WINDOWS\\SYSTEM\\new.tpl");
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->rfind(dir_.File("cache"), 0), 0u);
    struct stat info {};
    ASSERT_EQ(stat(copy->c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0222, 0u);
    EXPECT_FALSE(files_->ResolvesToTheFile("C:\\WINDOWS\\SYSTEM\\new.tpl"));
    EXPECT_FALSE(files_->Resolve("C:\\WINDOWS\\SYSTEM\\absent.tpl"));
}

// Files read ahead in one go, two of one name among them: each copy is its
// own file's, and a change, ours or another program's, is read anew.
TEST_P(ImageDrive, FilesReadAheadShowTheImageUntilItChanges)
{
    ASSERT_TRUE(files_->Copy(otherLogo_, "C:\\WINDOWS\\LOGO.SYS", false));
    files_->ReadAhead({"C:\\LOGO.SYS", "c:\\windows\\logo.sys", "C:\\WINDOWS\\LOGOW.SYS", "C:\\absent.sys",
                       "C:\\WINDOWS", "D:\\LOGO.SYS"});
    int copies = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_.File("cache")))
        copies += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(copies, 3);
    EXPECT_EQ(ReadAll(*files_->Resolve("C:\\LOGO.SYS")), ReadAll(logo_));
    EXPECT_EQ(ReadAll(*files_->Resolve("C:\\WINDOWS\\LOGO.SYS")), ReadAll(otherLogo_));
    EXPECT_EQ(ReadAll(*files_->Resolve("C:\\WINDOWS\\LOGOW.SYS")), ReadAll(logo_));

    ASSERT_TRUE(files_->Copy(otherLogo_, "C:\\LOGO.SYS", false));
    EXPECT_EQ(ReadAll(*files_->Resolve("C:\\LOGO.SYS")), ReadAll(otherLogo_));
    if (viaQemu_)
        return;  // the daemon holds the image: no other program writes it
    files_->ReadAhead({"C:\\WINDOWS\\LOGOW.SYS"});
    // Apart from our last write by more than the clock's tick, as a change
    // is told by the image's time.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(testing_support::Shell("MTOOLS_SKIP_CHECK=1 MTOOLSRC=/dev/null mcopy -o -i " +
                                     testing_support::Quoted(dataFile_ + "@@" + std::to_string(offset_)) + " " +
                                     testing_support::Quoted(otherLogo_) + " ::/WINDOWS/LOGOW.SYS"),
              0);
    EXPECT_EQ(ReadAll(*files_->Resolve("C:\\WINDOWS\\LOGOW.SYS")), ReadAll(otherLogo_));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ImageDrive,
    ::testing::Values(ImageKind{"Fat12Superfloppy", 12, "", "", 0}, ImageKind{"Fat16Superfloppy", 16, "", "", 0},
                      ImageKind{"MbrPrimaryFat16", 0, "", "", 0}, ImageKind{"MbrLogicalFat32", 0, "", "", 5},
                      ImageKind{"FixedVhd", 0, "vpc", "subformat=fixed", 0},
                      ImageKind{"StaticVdi", 0, "vdi", "static=on", 5},
                      ImageKind{"FlatVmdk", 0, "vmdk", "subformat=monolithicFlat", 0},
                      ImageKind{"Qcow2", 0, "qcow2", "compat=1.1", 0},
                      ImageKind{"DynamicVdi", 0, "vdi", "static=off", 5},
                      ImageKind{"DynamicVhd", 0, "vpc", "subformat=dynamic", 0},
                      ImageKind{"SparseVmdk", 16, "vmdk", "subformat=monolithicSparse", 0}),
    [](const ::testing::TestParamInfo<ImageKind>& info) { return std::string(info.param.name); });

// The kinds qemu reads, through the raw copy made where FUSE cannot be used.
INSTANTIATE_TEST_SUITE_P(
    ThroughRawCopy, ImageDrive,
    ::testing::Values(ImageKind{"Qcow2", 0, "qcow2", "compat=1.1", 0, true},
                      ImageKind{"DynamicVdi", 0, "vdi", "static=off", 5, true},
                      ImageKind{"DynamicVhd", 0, "vpc", "subformat=dynamic", 0, true},
                      ImageKind{"SparseVmdk", 16, "vmdk", "subformat=monolithicSparse", 0, true}),
    [](const ::testing::TestParamInfo<ImageKind>& info) { return std::string(info.param.name); });

// --- refusals and failures, on a plain superfloppy -----------------------------

class ImageDriveFailures : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testing_support::HasImageTools())
            GTEST_SKIP() << "mtools, dosfstools, fdisk or qemu-utils missing";
        logo_ = WriteLogo(dir_, "logo.bmp", 3);
        image_ = dir_.File("floppy.img");
        ASSERT_TRUE(testing_support::MakeFatVolume(image_, 12, 1440, logo_));
        Open();
    }
    void Open()
    {
        platform::DriveTable table;
        table.Map('C', image_);
        files_ = platform::DriveFileSystems::FromDriveTable(table);
    }
    pid_t Hold(const std::string& command)
    {
        const pid_t child = fork();
        if (child == 0) {
            setpgid(0, 0);
            execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return child;
    }
    void Release(pid_t child)
    {
        kill(-child, SIGKILL);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }

    TempDir dir_;
    testing_support::ScopedEnv cache_{"XDG_CACHE_HOME", dir_.File("cache")};
    std::string logo_;
    std::string image_;
    std::unique_ptr<platform::DriveFileSystems> files_;
};

TEST_F(ImageDriveFailures, ImageOpenInAnotherProcessIsReadButNotWritten)
{
    const pid_t holder = Hold("exec 3<'" + image_ + "'; exec sleep 30");
    EXPECT_TRUE(files_->Exists("C:\\WINDOWS\\LOGOW.SYS"));
    EXPECT_FALSE(files_->SetAttributes("C:\\logo.sys", FILE_ATTRIBUTE_NORMAL));
    EXPECT_FALSE(files_->Copy(logo_, "C:\\WINDOWS\\LOGOS.SYS", false));
    EXPECT_FALSE(files_->Delete("C:\\WINDOWS\\LOGOW.SYS"));
    Release(holder);
    EXPECT_TRUE(files_->SetAttributes("C:\\logo.sys", FILE_ATTRIBUTE_NORMAL));
}

TEST_F(ImageDriveFailures, ImageLockedByQemuIsNotWritten)
{
    if (std::system("command -v qemu-io >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "qemu-io missing";
    const pid_t holder = Hold("sleep 30 | qemu-io -f raw '" + image_ + "'");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(files_->Copy(logo_, "C:\\WINDOWS\\LOGOS.SYS", false));
    Release(holder);
}

TEST_F(ImageDriveFailures, FullFileSystemFailsTheCopyAndKeepsTheOldFile)
{
    const std::string filler = dir_.File("filler");
    ASSERT_EQ(testing_support::Shell("dd if=/dev/zero of='" + filler + "' bs=1k count=920; mcopy -i '" + image_ +
                                     "' '" + filler + "' ::/FILLER.BIN"),
              0);
    Open();
    const std::string other = WriteLogo(dir_, "other.bmp", 4);
    EXPECT_FALSE(files_->Copy(other, "C:\\WINDOWS\\LOGOW.SYS", false));
    const auto kept = files_->Resolve("C:\\WINDOWS\\LOGOW.SYS");
    ASSERT_TRUE(kept);
    EXPECT_EQ(ReadAll(*kept), ReadAll(logo_));
    EXPECT_TRUE(FsckClean(image_, 0, 1440 * 1024));
}

TEST_F(ImageDriveFailures, FailingEngineLeavesTheOldFileAndNoTemporary)
{
    const std::string bin = dir_.File("bin");
    std::filesystem::create_directories(bin);
    std::ofstream(bin + "/mmove") << "#!/bin/sh\nexit 1\n";
    chmod((bin + "/mmove").c_str(), 0755);
    const std::string other = WriteLogo(dir_, "other.bmp", 5);
    {
        testing_support::ScopedEnv path("PATH", bin + ":" + std::getenv("PATH"));
        EXPECT_FALSE(files_->Copy(other, "C:\\WINDOWS\\LOGOW.SYS", false));
    }
    const auto kept = files_->Resolve("C:\\WINDOWS\\LOGOW.SYS");
    ASSERT_TRUE(kept);
    EXPECT_EQ(ReadAll(*kept), ReadAll(logo_));
    EXPECT_EQ(testing_support::Shell("mdir -a -i '" + image_ + "' ::/WINDOWS | grep -q '~LV'"), 256);
    EXPECT_TRUE(FsckClean(image_, 0, 1440 * 1024));
}

TEST(ImageDriveCheck, BadImagesGetOneClearReason)
{
    if (!testing_support::HasImageTools())
        GTEST_SKIP() << "mtools, dosfstools, fdisk or qemu-utils missing";
    TempDir dir;
    const std::string text = dir.File("notes.txt");
    std::ofstream(text) << std::string(5000, 'x');
    EXPECT_NE(platform::ImageDriveProblem(text).find("is not a disk image"), std::string::npos);

    const std::string floppy = dir.File("floppy.img");
    ASSERT_TRUE(testing_support::MakeFatVolume(floppy, 12, 1440, WriteLogo(dir, "l.bmp", 6)));
    EXPECT_EQ(platform::ImageDriveProblem(floppy), "");
    EXPECT_NE(platform::ImageDriveProblem(floppy + "@2").find("has no partition table"), std::string::npos);
    truncate(floppy.c_str(), 512 * 1024);
    EXPECT_NE(platform::ImageDriveProblem(floppy).find("is truncated"), std::string::npos);

    const std::string linuxDisk = dir.File("linux.img");
    ASSERT_EQ(testing_support::Shell("truncate -s 8M '" + linuxDisk + "'; echo 'start=2048, type=83' | sfdisk -q '" +
                                     linuxDisk + "'"),
              0);
    EXPECT_EQ(platform::ImageDriveProblem(linuxDisk), "has no FAT partition");

    const std::string qcow = dir.File("disk.qcow2");
    ASSERT_EQ(testing_support::Shell("qemu-img create -q -f qcow2 '" + qcow + "' 8M"), 0);
    EXPECT_NE(platform::ImageDriveProblem(qcow).find("is not a disk image"), std::string::npos);
    const std::string broken = dir.File("broken.qcow2");
    ASSERT_EQ(testing_support::Shell("printf 'QFI\\373garbage' > '" + broken + "'; truncate -s 2K '" + broken + "'"), 0);
    EXPECT_NE(platform::ImageDriveProblem(broken).find("is a qcow2 image that cannot be read by qemu"),
              std::string::npos);
}

TEST(ImageDriveCheck, ReadOnlyImageIsRefused)
{
    if (!testing_support::HasImageTools())
        GTEST_SKIP() << "mtools, dosfstools, fdisk or qemu-utils missing";
    TempDir dir;
    const std::string floppy = dir.File("floppy.img");
    ASSERT_TRUE(testing_support::MakeFatVolume(floppy, 12, 1440, WriteLogo(dir, "l.bmp", 7)));
    chmod(floppy.c_str(), 0444);
    EXPECT_EQ(platform::ImageDriveProblem(floppy), "is read-only (Lumivane writes the logo files into it)");
}

}  // namespace

namespace {

// Images qemu reads are changed in place through qemu, by either route.
class QemuImageDrive : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        if (!testing_support::HasImageTools())
            GTEST_SKIP() << "mtools, dosfstools, fdisk or qemu-utils missing";
        if (GetParam())
            noFuse_.emplace("LUMIVANE_NO_FUSE", "1");
        logo_ = WriteLogo(dir_, "logo.bmp", 8);
        const std::string raw = dir_.File("floppy.img");
        ASSERT_TRUE(testing_support::MakeFatVolume(raw, 12, 1440, logo_));
        image_ = dir_.File("disk.vdi");
        ASSERT_TRUE(testing_support::ConvertImage(raw, image_, "vdi", "static=off"));
        files_ = Open();
    }
    std::unique_ptr<platform::DriveFileSystems> Open() const
    {
        platform::DriveTable table;
        table.Map('C', image_);
        return platform::DriveFileSystems::FromDriveTable(table);
    }
    // Stand-ins on PATH for qemu's tools: each runs the script, then the
    // real program.
    testing_support::ScopedEnv WrappedQemuTools(const std::string& script) const
    {
        const std::string bin = dir_.File("bin");
        std::filesystem::create_directories(bin);
        for (const std::string program : {"qemu-img", "qemu-io"}) {
            std::ofstream(bin + "/" + program) << "#!/bin/sh\nprogram=" << program << "\n" << script
                                                << "\nexec /usr/bin/" << program << " \"$@\"\n";
            chmod((bin + "/" + program).c_str(), 0755);
        }
        return testing_support::ScopedEnv("PATH", bin + ":" + std::getenv("PATH"));
    }

    TempDir dir_;
    testing_support::ScopedEnv cache_{"XDG_CACHE_HOME", dir_.File("cache")};
    std::optional<testing_support::ScopedEnv> noFuse_;
    std::string logo_;
    std::string image_;
    std::unique_ptr<platform::DriveFileSystems> files_;
};

TEST_P(QemuImageDrive, VdiKeepsItsIdentityAcrossWrites)
{
    const auto before = ReadAll(image_);
    ASSERT_TRUE(files_->Copy(WriteLogo(dir_, "new.bmp", 9), "C:\\WINDOWS\\Logos.sys", false));
    const auto after = ReadAll(image_);
    // The creation UUID VirtualBox knows the disk by.
    EXPECT_TRUE(std::equal(before.begin() + 0x188, before.begin() + 0x198, after.begin() + 0x188));
    files_.reset();
    EXPECT_TRUE(Open()->Exists("C:\\WINDOWS\\LOGOS.SYS"));
}

TEST_P(QemuImageDrive, FailedCarryOverLeavesImageAndViewAsTheyWere)
{
    const auto before = ReadAll(image_);
    {
        // What carries a change into the image fails: qemu-img commit, or
        // qemu-io for the raw copy.
        const auto failing = WrappedQemuTools("[ \"$1\" = commit ] || [ $program = qemu-io ] && exit 1");
        EXPECT_FALSE(files_->Copy(logo_, "C:\\WINDOWS\\Logos.sys", false));
        EXPECT_FALSE(files_->SetAttributes("C:\\logo.sys", FILE_ATTRIBUTE_NORMAL));
    }
    EXPECT_EQ(ReadAll(image_), before);
    EXPECT_FALSE(files_->Exists("C:\\WINDOWS\\Logos.sys"));
    EXPECT_EQ(files_->GetAttributes("C:\\logo.sys"), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
}

// Apply's steps reach the image as one batch: nothing before it ends, then
// one carrying over.
TEST_P(QemuImageDrive, BatchReachesTheImageOnceWhenItEnds)
{
    const std::string log = dir_.File("carried.log");
    const auto logged = WrappedQemuTools("echo \"$program $1\" >> '" + log + "'");
    const auto before = ReadAll(image_);
    files_->BeginBatch();
    EXPECT_TRUE(files_->SetAttributes("C:\\logo.sys", FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(files_->Copy(logo_, "C:\\WINDOWS\\Logos.sys", false));
    EXPECT_TRUE(files_->Delete("C:\\WINDOWS\\LOGOW.SYS"));
    EXPECT_TRUE(files_->SetAttributes("C:\\WINDOWS\\Logos.sys", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(files_->SetAttributes("C:\\logo.sys", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(files_->GetAttributes("C:\\logo.sys"), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(ReadAll(image_), before);
    EXPECT_TRUE(files_->EndBatch());
    const auto bytes = ReadAll(log);
    const std::string carried(bytes.begin(), bytes.end());
    const std::string carrier = GetParam() ? "qemu-io -f" : "qemu-img commit";
    EXPECT_NE(carried.find(carrier), std::string::npos) << carried;
    EXPECT_EQ(carried.find(carrier), carried.rfind(carrier)) << carried;
    files_.reset();
    const auto reopened = Open();
    EXPECT_EQ(reopened->GetAttributes("C:\\WINDOWS\\LOGOS.SYS"), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(reopened->Exists("C:\\WINDOWS\\LOGOW.SYS"));
}

TEST_P(QemuImageDrive, ImageHeldByAnotherProgramIsReadButNotWritten)
{
    const auto before = ReadAll(image_);
    const pid_t holder = fork();
    if (holder == 0) {
        execl("/bin/sh", "sh", "-c", ("exec 3<'" + image_ + "'; exec sleep 30").c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(files_->Exists("C:\\WINDOWS\\LOGOW.SYS"));
    EXPECT_FALSE(files_->Copy(logo_, "C:\\WINDOWS\\Logos.sys", false));
    EXPECT_TRUE(files_->Exists("C:\\WINDOWS\\LOGOW.SYS"));
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    EXPECT_EQ(ReadAll(image_), before);
    EXPECT_TRUE(files_->Copy(logo_, "C:\\WINDOWS\\Logos.sys", false));
}

INSTANTIATE_TEST_SUITE_P(Routes, QemuImageDrive, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "ThroughRawCopy" : "ThroughFuseView");
                         });

}  // namespace
