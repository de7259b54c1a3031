// lumva-logo slots, apply and save on a disk image and on a Wine prefix, and
// a write killed half-way through.

#include "RunLogoTool.h"
#include "common/FatImages.h"
#include "common/ScopedEnv.h"
#include "common/TestFiles.h"
#include "platform/files/ImageHolders.h"
#include "platform/files/FileApi.h"
#include "platform/files/LogoFileWriter.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

namespace {

using testing_support::ReadAll;
using testing_support::RunTool;
using testing_support::TempDir;

std::string WriteLogo(const TempDir& dir, const std::string& name, unsigned seed, std::uint8_t count = 0)
{
    const std::string path = dir.File(name);
    const logo::LogoImage picture = testing_support::MakeVariedLogo(seed);
    logo::ColorTable table{};
    std::copy_n(picture.colorTable.begin(), table.size(), table.begin());
    platform::WriteLogoFile(path, picture, table, count != 0, count);
    return path;
}

class SlotCommandsOnImage : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testing_support::HasImageTools())
            GTEST_SKIP() << "mtools, dosfstools, fdisk or qemu-utils missing";
        logo_ = WriteLogo(dir_, "start.bmp", 1, 20);
        image_ = dir_.File("disk.img");
        ASSERT_TRUE(testing_support::MakePartitionedDisk(image_, logo_));
        drive_ = "--drive=C:=" + image_;
    }
    bool Clean() const { return testing_support::FsckClean(image_, 2048 * 512, 32768 * 512); }

    TempDir dir_;
    testing_support::ScopedEnv cache_{"XDG_CACHE_HOME", dir_.File("cache")};
    std::string logo_;
    std::string image_;
    std::string drive_;
};

TEST_F(SlotCommandsOnImage, SlotsListEverySlotInOrder)
{
    const auto listed = RunTool({"slots", drive_});
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out,
              "startup: C:\\logo.sys present width=320 height=400 bits=8 logo=yes animated=20 attributes=0x26\n"
              "preshutdown: C:\\WINDOWS\\logow.sys present width=320 height=400 bits=8 logo=yes animated=20 "
              "attributes=0x20\n"
              "shutdown: C:\\WINDOWS\\logos.sys missing\n"
              "boot: C:\\MSDOS.SYS missing\n");
}

TEST_F(SlotCommandsOnImage, UndecodableFileIsPresentWithTheReason)
{
    const std::string broken = dir_.File("broken.sys");
    std::ofstream(broken) << "BM not really a bitmap";
    ASSERT_EQ(testing_support::Shell("mcopy -i '" + image_ + "@@1048576' '" + broken + "' ::/WINDOWS/LOGOS.SYS"), 0);
    const auto listed = RunTool({"slots", drive_});
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_NE(listed.out.find("shutdown: C:\\WINDOWS\\logos.sys present error: "), std::string::npos) << listed.out;
    EXPECT_EQ(RunTool({"apply", drive_}).status, 0);
}

TEST_F(SlotCommandsOnImage, ApplyInstallsHidesAndSaveCopiesBack)
{
    const std::string shutdown = WriteLogo(dir_, "shut.bmp", 2);
    const auto applied = RunTool({"apply", drive_, "--shutdown", shutdown, "--startup", "default"});
    ASSERT_EQ(applied.status, 0) << applied.err;
    EXPECT_EQ(applied.out, "C:\\Logo.sys: deleted\nC:\\WINDOWS\\Logos.sys: changed\n");
    EXPECT_TRUE(Clean());
    EXPECT_EQ(testing_support::MattribLine(image_, 2048 * 512, "::/WINDOWS/Logos.sys"), "      H ");

    const auto listed = RunTool({"slots", drive_});
    EXPECT_NE(listed.out.find("startup: C:\\logo.sys missing\n"), std::string::npos);
    EXPECT_NE(listed.out.find("shutdown: C:\\WINDOWS\\logos.sys present width=320 height=400 bits=8 logo=yes "
                              "animated=0 attributes=0x2\n"),
              std::string::npos);

    const std::string saved = dir_.File("saved.sys");
    const auto save = RunTool({"save", drive_, "shutdown", saved});
    ASSERT_EQ(save.status, 0) << save.err;
    EXPECT_EQ(ReadAll(saved), ReadAll(shutdown));
}

TEST_F(SlotCommandsOnImage, ForeignBmpVariantIsRewrittenIntoTheImage)
{
    // Two bytes too long, as some editors save a logo.
    const std::string variant = WriteLogo(dir_, "variant.bmp", 6);
    std::ofstream(variant, std::ios::app | std::ios::binary).write("\0\0", 2);
    ASSERT_EQ(std::filesystem::file_size(variant), 129080u);
    const auto applied = RunTool({"apply", drive_, "--shutdown", variant});
    ASSERT_EQ(applied.status, 0) << applied.err;
    const std::string saved = dir_.File("saved.sys");
    ASSERT_EQ(RunTool({"save", drive_, "shutdown", saved}).status, 0);
    const auto bytes = ReadAll(saved);
    const auto original = ReadAll(variant);
    ASSERT_EQ(bytes.size(), 129078u);
    EXPECT_TRUE(std::equal(bytes.begin() + 54, bytes.end(), original.begin() + 54));
    EXPECT_TRUE(Clean());
}

TEST_F(SlotCommandsOnImage, BadSourcesAndBadImagesTouchNothing)
{
    const std::string notLogo = dir_.File("note.txt");
    std::ofstream(notLogo) << "text";
    const auto before = ReadAll(image_);
    const auto refused = RunTool({"apply", drive_, "--preshutdown", notLogo});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, notLogo + ": not a logo\n");
    EXPECT_EQ(ReadAll(image_), before);

    EXPECT_EQ(RunTool({"apply", drive_, "--middle", logo_}).status, 2);
    EXPECT_EQ(RunTool({"save", drive_, "sideways", dir_.File("x")}).status, 2);
    const auto noImage = RunTool({"slots", "--drive", "C:=" + notLogo});
    EXPECT_EQ(noImage.status, 1);
    EXPECT_EQ(noImage.err, "lumva-logo: drive C: image '" + notLogo + "' is too small to be a disk image\n");
}

TEST_F(SlotCommandsOnImage, HeldImageFailsApplyAndListsTheTargets)
{
    const pid_t holder = fork();
    if (holder == 0) {
        execl("/bin/sh", "sh", "-c", ("exec 3<'" + image_ + "'; exec sleep 30").c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    usleep(300000);
    const auto applied = RunTool({"apply", drive_, "--preshutdown", WriteLogo(dir_, "p.bmp", 3)});
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    EXPECT_EQ(applied.status, 1);
    EXPECT_EQ(applied.err, "The following logo files could not be changed:\nC:\\WINDOWS\\Logow.sys\n");
    EXPECT_TRUE(Clean());
}

// The real program, killed by the engine's stand-in right after the copy
// reached the temporary name: the old file stays and fsck finds nothing.
TEST_F(SlotCommandsOnImage, KillDuringAWriteLeavesTheOldFile)
{
    const std::string bin = dir_.File("bin");
    std::filesystem::create_directories(bin);
    std::ofstream(bin + "/mmove") << "#!/bin/sh\nkill -KILL $PPID\nexit 1\n";
    chmod((bin + "/mmove").c_str(), 0755);
    const std::string replacement = WriteLogo(dir_, "new.bmp", 4);
    const pid_t child = fork();
    if (child == 0) {
        setenv("PATH", (bin + ":" + std::getenv("PATH")).c_str(), 1);
        execl(LUMVA_LOGO_PATH, "lumva-logo", "apply", drive_.c_str(), "--preshutdown", replacement.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    // Nothing the killed program started still has the image open.
    usleep(200000);
    EXPECT_FALSE(platform::IsImageInUseElsewhere(image_));
    EXPECT_TRUE(Clean());
    const std::string saved = dir_.File("after.sys");
    ASSERT_EQ(RunTool({"save", drive_, "preshutdown", saved}).status, 0);
    EXPECT_EQ(ReadAll(saved), ReadAll(logo_));
    // The next write clears the leftover temporary, and the next run the
    // private folder the killed one left.
    ASSERT_EQ(RunTool({"apply", drive_, "--preshutdown", replacement}).status, 0);
    const std::string root = std::getenv("XDG_RUNTIME_DIR") != nullptr ? std::getenv("XDG_RUNTIME_DIR") : "/tmp";
    for (const auto& entry : std::filesystem::directory_iterator(root))
        EXPECT_FALSE(entry.path().filename().string().starts_with("lumivane-mtools-" + std::to_string(child) + "-"));
    EXPECT_EQ(testing_support::Shell("mdir -a -i '" + image_ + "@@1048576' ::/WINDOWS | grep -q '~LV'"), 256);
    EXPECT_TRUE(Clean());
}

TEST(SlotCommandsOnWinePrefix, SystemFolderOfA64BitPrefixIsSyswow64)
{
    TempDir prefix;
    const auto windows = prefix.Path() / "drive_c" / "windows";
    std::filesystem::create_directories(windows / "system32");
    std::filesystem::create_directories(windows / "syswow64");
    std::filesystem::create_directories(prefix.Path() / "dosdevices");
    std::filesystem::create_directory_symlink("../drive_c", prefix.Path() / "dosdevices" / "c:");
    const std::string logo = WriteLogo(prefix, "l.bmp", 5);
    std::filesystem::copy_file(logo, windows / "logow.sys");
    std::filesystem::copy_file(logo, windows / "syswow64" / "New.tpl");

    const auto listed = RunTool({"slots", "--wine-prefix", prefix.Path().string()});
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_NE(listed.out.find("preshutdown: C:\\windows\\logow.sys present"), std::string::npos);
    // Where a 32-bit program in the prefix finds its system folder's files.
    EXPECT_NE(platform::GetFileAttributesA("C:\\windows\\system32\\New.tpl"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(platform::GetFileAttributesA("C:\\windows\\system32\\logow.sys"), INVALID_FILE_ATTRIBUTES);
    const std::string saved = prefix.File("saved.sys");
    ASSERT_EQ(RunTool({"save", "--wine-prefix", prefix.Path().string(), "preshutdown", saved}).status, 0);
    EXPECT_EQ(ReadAll(saved), ReadAll(logo));
    EXPECT_EQ(RunTool({"slots", "--wine-prefix", prefix.File("absent")}).status, 1);
}

}  // namespace

namespace {

struct SlotImageKind {
    const char* name;
    const char* format;  // qemu-img format, "" for a raw disk
    const char* options;
    int partition;
};

class SlotCommandsOnEveryKind : public ::testing::TestWithParam<SlotImageKind> {};

TEST_P(SlotCommandsOnEveryKind, SlotsApplyAndSave)
{
    if (!testing_support::HasImageTools())
        GTEST_SKIP() << "mtools, dosfstools, fdisk or qemu-utils missing";
    TempDir dir;
    testing_support::ScopedEnv cache("XDG_CACHE_HOME", dir.File("cache"));
    const std::string logo = WriteLogo(dir, "start.bmp", 11, 12);
    std::string image = dir.File("disk.img");
    ASSERT_TRUE(testing_support::MakePartitionedDisk(image, logo));
    if (GetParam().format[0] != '\0') {
        const std::string converted = dir.File(std::string("disk.") + GetParam().format);
        ASSERT_TRUE(testing_support::ConvertImage(image, converted, GetParam().format, GetParam().options));
        image = converted;
    }
    const std::string drive =
        "--drive=C:=" + image + (GetParam().partition != 0 ? "@" + std::to_string(GetParam().partition) : "");

    const auto before = RunTool({"slots", drive});
    ASSERT_EQ(before.status, 0) << before.err;
    EXPECT_EQ(before.out.substr(0, before.out.find('\n')),
              "startup: C:\\logo.sys present width=320 height=400 bits=8 logo=yes animated=12 attributes=0x26");

    const std::string shutdown = WriteLogo(dir, "shut.bmp", 12);
    const auto applied = RunTool({"apply", drive, "--shutdown", shutdown, "--preshutdown", "default"});
    // The test drive has no default pictures: only the shut-down target changes.
    EXPECT_EQ(applied.status, 1);
    EXPECT_EQ(applied.out, "C:\\WINDOWS\\Logos.sys: changed\n");
    EXPECT_EQ(applied.err, "The following logo files could not be changed:\nC:\\WINDOWS\\Logow.sys\n");

    const std::string saved = dir.File("saved.sys");
    ASSERT_EQ(RunTool({"save", drive, "shutdown", saved}).status, 0);
    EXPECT_EQ(ReadAll(saved), ReadAll(shutdown));
    const auto after = RunTool({"slots", drive});
    EXPECT_NE(after.out.find("shutdown: C:\\WINDOWS\\logos.sys present width=320 height=400 bits=8 logo=yes "
                             "animated=0 attributes=0x2\n"),
              std::string::npos)
        << after.out;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SlotCommandsOnEveryKind,
    ::testing::Values(SlotImageKind{"RawMbr", "", "", 0}, SlotImageKind{"RawLogical", "", "", 5},
                      SlotImageKind{"FixedVhd", "vpc", "subformat=fixed", 0},
                      SlotImageKind{"StaticVdi", "vdi", "static=on", 0},
                      SlotImageKind{"FlatVmdk", "vmdk", "subformat=monolithicFlat", 0},
                      SlotImageKind{"Qcow2", "qcow2", "compat=1.1", 5},
                      SlotImageKind{"DynamicVdi", "vdi", "static=off", 0},
                      SlotImageKind{"DynamicVhd", "vpc", "subformat=dynamic", 0},
                      SlotImageKind{"SparseVmdk", "vmdk", "subformat=monolithicSparse", 0}),
    [](const ::testing::TestParamInfo<SlotImageKind>& info) { return std::string(info.param.name); });

}  // namespace
