// lumva-logo boot, slots and check --slot on MSDOS.SYS inside disk images:
// Windows 95's and 98's own files round-trip byte for byte but the Logo=
// line, keep their attributes, and say what Windows does.

#include "RunLogoTool.h"
#include "common/FatImages.h"
#include "common/MsdosSysLayouts.h"
#include "common/ScopedEnv.h"
#include "common/TestFiles.h"
#include "platform/files/LogoFileWriter.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using testing_support::Quoted;
using testing_support::RunTool;
using testing_support::Shell;
using testing_support::TempDir;

std::string ReadText(const std::string& path)
{
    const std::vector<std::uint8_t> bytes = testing_support::ReadAll(path);
    return std::string(bytes.begin(), bytes.end());
}

enum class DriveKind { RawImage, Qcow2Image };

// Drive C: inside an image holding MSDOS.SYS (hidden, system, read-only, as
// Setup leaves it), and a way to read it back without Lumivane. Folder
// drives are tested in tests/slots.
class BootDrive {
public:
    BootDrive(const TempDir& dir, DriveKind kind, const std::string& msdos) : dir_(dir), kind_(kind)
    {
        std::ofstream(dir.File("MSDOS.SYS"), std::ios::binary) << msdos;
        const std::string logo = dir.File("logo.bmp");
        const logo::LogoImage picture = testing_support::MakeVariedLogo(3);
        logo::ColorTable table{};
        std::copy_n(picture.colorTable.begin(), table.size(), table.begin());
        platform::WriteLogoFile(logo, picture, table, false, 0);
        const std::string raw = dir.File("win.img");
        ready_ = testing_support::MakeFatVolume(raw, 16, 16384, logo) &&
                 Shell("mcopy -i " + Quoted(raw) + " " + Quoted(dir.File("MSDOS.SYS")) + " ::/MSDOS.SYS; mattrib -i " +
                       Quoted(raw) + " +r +s +h ::/MSDOS.SYS") == 0;
        location_ = raw;
        if (kind == DriveKind::Qcow2Image) {
            location_ = dir.File("win.qcow2");
            ready_ = ready_ && testing_support::ConvertImage(raw, location_, "qcow2", "cluster_size=65536");
        }
    }

    bool Ready() const { return ready_; }
    std::string Drive() const { return "--drive=C:=" + location_; }

    // Copies a file into a raw image's volume.
    bool Put(const std::string& hostFile, const std::string& name) const
    {
        return kind_ == DriveKind::RawImage &&
               Shell("mcopy -o -i " + Quoted(location_) + " " + Quoted(hostFile) + " ::/" + name) == 0;
    }

    std::string MsdosSys() const
    {
        const std::string raw = RawView();
        const std::string out = dir_.File("read-back.sys");
        Shell("rm -f " + Quoted(out) + "; mcopy -i " + Quoted(raw) + " ::/MSDOS.SYS " + Quoted(out));
        return ReadText(out);
    }

    // mattrib's letters for MSDOS.SYS ("  A  SHR" style).
    std::string Attributes() const { return testing_support::MattribLine(RawView(), 0, "::/MSDOS.SYS"); }

private:
    std::string RawView() const
    {
        if (kind_ == DriveKind::RawImage)
            return location_;
        const std::string raw = dir_.File("view.img");
        Shell("rm -f " + Quoted(raw) + "; qemu-img convert -O raw " + Quoted(location_) + " " + Quoted(raw));
        return raw;
    }

    const TempDir& dir_;
    DriveKind kind_;
    std::string location_;
    bool ready_ = false;
};

struct RoundTripCase {
    const char* name;
    DriveKind kind;
    std::string (*layout)();
};

// ctest lists the case by its name.
void PrintTo(const RoundTripCase& c, std::ostream* os)
{
    *os << c.name;
}

class BootCommandRoundTrip : public ::testing::TestWithParam<RoundTripCase> {
protected:
    TempDir dir_;
    testing_support::ScopedEnv cache_{"XDG_CACHE_HOME", dir_.File("cache")};
};

TEST_P(BootCommandRoundTrip, LogoOffThenOnChangesOnlyTheLogoLine)
{
    if (!testing_support::HasImageTools())
        GTEST_SKIP() << "mtools, dosfstools, fdisk or qemu-utils missing";
    const std::string original = GetParam().layout();
    const BootDrive drive(dir_, GetParam().kind, original);
    ASSERT_TRUE(drive.Ready());
    const std::string attributes = drive.Attributes();

    const auto off = RunTool({"boot", drive.Drive(), "--logo", "off"});
    ASSERT_EQ(off.status, 0) << off.err;
    EXPECT_NE(off.out.find("C:\\MSDOS.SYS: Logo=0 written\n"), std::string::npos) << off.out;
    EXPECT_NE(off.out.find("boot: C:\\MSDOS.SYS present logo=off (Logo=0)\n"), std::string::npos) << off.out;
    const std::string padding = ";\r\n;The following";
    std::string expected = original;
    expected.insert(expected.find(padding), "Logo=0\r\n");
    EXPECT_EQ(drive.MsdosSys(), expected);
    EXPECT_EQ(drive.Attributes(), attributes) << "hidden, system and read-only as before";

    const auto on = RunTool({"boot", drive.Drive(), "--logo", "on"});
    ASSERT_EQ(on.status, 0) << on.err;
    expected.replace(expected.find("Logo=0"), 6, "Logo=1");
    EXPECT_EQ(drive.MsdosSys(), expected);
    EXPECT_EQ(drive.Attributes(), attributes);
    EXPECT_NE(RunTool({"slots", drive.Drive()}).out.find("boot: C:\\MSDOS.SYS present logo=shown\n"),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Drives, BootCommandRoundTrip,
    ::testing::Values(RoundTripCase{"Windows95InARawImage", DriveKind::RawImage, testing_support::Windows95MsdosSys},
                      RoundTripCase{"Windows98InARawImage", DriveKind::RawImage, testing_support::Windows98MsdosSys},
                      RoundTripCase{"Windows98InAQcow2Image", DriveKind::Qcow2Image,
                                    testing_support::Windows98MsdosSys}),
    [](const auto& info) { return std::string(info.param.name); });

class BootCommandOnImage : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testing_support::HasImageTools())
            GTEST_SKIP() << "mtools, dosfstools, fdisk or qemu-utils missing";
    }
    TempDir dir_;
    testing_support::ScopedEnv cache_{"XDG_CACHE_HOME", dir_.File("cache")};
};

TEST_F(BootCommandOnImage, TheDosKernelIsReportedAndLeftAlone)
{
    const BootDrive drive(dir_, DriveKind::RawImage, testing_support::DosKernelMsdosSys());
    ASSERT_TRUE(drive.Ready());
    const auto refused = RunTool({"boot", drive.Drive(), "--logo", "off"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("C:\\MSDOS.SYS is the MS-DOS kernel, not Windows's boot options; it is left alone"),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(refused.out, "boot: C:\\MSDOS.SYS present dos-kernel\n");
    EXPECT_EQ(drive.MsdosSys(), testing_support::DosKernelMsdosSys());
}

TEST_F(BootCommandOnImage, CheckSaysWhyWindowsShowsNoLogo)
{
    const BootDrive drive(dir_, DriveKind::RawImage, "[Options]\r\nBootGUI=0\r\nLogo=0\r\n");
    ASSERT_TRUE(drive.Ready());
    const auto checked = RunTool({"check", drive.Drive(), "--slot", "startup"});
    EXPECT_EQ(checked.status, 1);
    EXPECT_NE(checked.out.find("C:\\logo.sys: boot-gui-off: C:\\MSDOS.SYS has BootGUI=0"), std::string::npos)
        << checked.out;
    EXPECT_NE(checked.out.find("C:\\logo.sys: boot-logo-off: "), std::string::npos) << checked.out;
    const auto shutdown = RunTool({"check", drive.Drive(), "--slot", "shutdown"});
    EXPECT_EQ(shutdown.out.find("boot-"), std::string::npos) << "the boot options concern the start-up logo only";
    EXPECT_EQ(RunTool({"check", drive.Drive(), "logo.sys"}).status, 2) << "a location goes with --slot";
}

TEST_F(BootCommandOnImage, WindowsFolderNamedByWinDirIsUsedAndSaidSo)
{
    const BootDrive drive(dir_, DriveKind::RawImage, "[Paths]\r\nWinDir=C:\\WIN98\r\n");
    ASSERT_TRUE(drive.Ready());
    ASSERT_EQ(Shell("mmd -i " + Quoted(dir_.File("win.img")) + " ::/WIN98 ::/WIN98/SYSTEM"), 0);
    const auto listed = RunTool({"slots", drive.Drive()});
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_NE(listed.out.find("preshutdown: C:\\WIN98\\logow.sys missing\n"), std::string::npos) << listed.out;
    EXPECT_EQ(listed.err, "lumva-logo: C:\\MSDOS.SYS names the Windows folder C:\\WIN98 (WinDir): using it and "
                          "C:\\WIN98\\SYSTEM\n");
    const auto given = RunTool({"slots", drive.Drive(), "--windows-dir", "C:\\WINDOWS"});
    EXPECT_NE(given.out.find("preshutdown: C:\\WINDOWS\\logow.sys present"), std::string::npos) << given.out;
    EXPECT_EQ(given.err, "") << "a folder given on the command line wins";

    const std::string other = dir_.File("other.sys");
    std::ofstream(other, std::ios::binary) << "[Paths]\r\nWinDir=E:\\WIN98\r\n";
    ASSERT_TRUE(drive.Put(other, "MSDOS.SYS"));
    const auto unmapped = RunTool({"slots", drive.Drive()});
    EXPECT_EQ(unmapped.status, 1);
    EXPECT_NE(unmapped.err.find("map drive E: with --drive"), std::string::npos) << unmapped.err;
}

}  // namespace
