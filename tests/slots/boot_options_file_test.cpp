// MSDOS.SYS on a folder drive: the change keeps its attributes and leaves it
// as it was when it cannot be written, and what its options make of the
// start-up logo at boot.

#include "SlotTestSupport.h"
#include "common/MsdosSysLayouts.h"
#include "common/Unprivileged.h"
#include "platform/files/FileApi.h"
#include "slots/BootOptionsFile.h"
#include "slots/BootVerdict.h"
#include "slots/SlotFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

slots_test::Bytes BytesOf(const std::string& text)
{
    return slots_test::Bytes(text.begin(), text.end());
}

class BootOptionsFileTest : public ::testing::Test {
protected:
    void WriteMsdos(const std::string& text) const { drive.Write("MSDOS.SYS", BytesOf(text)); }
    BootOptionsFile Read() const { return ReadBootOptionsFile(drive.Locations()); }

    slots_test::DriveC drive;
};

TEST_F(BootOptionsFileTest, LogoOffKeepsHiddenSystemReadOnlyAndEveryOtherByte)
{
    if (!slots_test::UserXattrsWork(drive.Host("")))
        GTEST_SKIP() << "no user extended attributes on this file system";
    const std::string original = testing_support::Windows98MsdosSys();
    WriteMsdos(original);
    const DWORD attributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(platform::SetFileAttributesA("C:\\MSDOS.SYS", attributes));

    ASSERT_EQ(SetBootLogo(Read(), false), BootLogoChange::Changed);
    std::string expected = original;
    expected.insert(expected.find("WinVer=4.10.1998\r\n") + 18, "Logo=0\r\n");
    EXPECT_EQ(drive.Read("MSDOS.SYS"), BytesOf(expected));
    EXPECT_EQ(platform::GetFileAttributesA("C:\\MSDOS.SYS"), attributes);
    EXPECT_EQ(drive.Listing(""), (std::set<std::string>{"MSDOS.SYS", "WINDOWS"})) << "no temporary file left";

    EXPECT_EQ(SetBootLogo(Read(), false), BootLogoChange::Unchanged);
}

TEST_F(BootOptionsFileTest, AFolderThatRefusesTheWriteLeavesTheFileAsItWas)
{
    const std::string original = testing_support::Windows95MsdosSys();
    WriteMsdos(original);
    BootLogoChange change = BootLogoChange::Changed;
    {
        const testing_support::Unprivileged user(drive.Host(""));
        if (!user.Active())
            GTEST_SKIP() << user.Why();
        chmod(drive.Host("").c_str(), 0555);
        change = SetBootLogo(Read(), false);
        chmod(drive.Host("").c_str(), 0755);
    }
    EXPECT_EQ(change, BootLogoChange::Failed);
    EXPECT_EQ(drive.Read("MSDOS.SYS"), BytesOf(original));
}

TEST_F(BootOptionsFileTest, NothingToChangeIsRefused)
{
    EXPECT_EQ(Read().state, BootOptionsFile::State::Missing);
    EXPECT_EQ(SetBootLogo(Read(), false), BootLogoChange::Refused);
    WriteMsdos(testing_support::DosKernelMsdosSys());
    EXPECT_EQ(SetBootLogo(Read(), false), BootLogoChange::Refused);
    EXPECT_EQ(drive.Read("MSDOS.SYS"), BytesOf(testing_support::DosKernelMsdosSys()));
}

TEST_F(BootOptionsFileTest, WindowsOnAnotherDriveStillBootsFromC)
{
    WriteMsdos("[Paths]\r\nWinDir=D:\\WIN98\r\n");
    const BootOptionsFile file = ReadBootOptionsFile(NormaliseLocations("D:\\WIN98", "D:\\WIN98\\SYSTEM"));
    EXPECT_EQ(file.path, "C:\\MSDOS.SYS");
    ASSERT_EQ(file.state, BootOptionsFile::State::Read);
    const std::vector<logo::Finding> findings = BootFindings(file, "D:\\logo.sys");
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].code, "boot-drive");
    EXPECT_EQ(BootLine(file, "D:\\logo.sys"), "C:\\MSDOS.SYS present logo=shown read-from=C:\\");
}

struct VerdictCase {
    const char* name;
    std::string msdos;  // empty: no MSDOS.SYS
    std::vector<std::string> codes;
    bool problem;
    const char* line;      // after "C:\MSDOS.SYS "
    const char* sentence;  // for the Boot Screen window
    bool stops;            // the logo is not shown at boot
};

// ctest lists the case by its name.
void PrintTo(const VerdictCase& c, std::ostream* os)
{
    *os << c.name;
}

class BootVerdictTest : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(BootVerdictTest, FindingsAndLineSayWhatWindowsDoes)
{
    slots_test::DriveC drive;
    const VerdictCase& c = GetParam();
    if (!c.msdos.empty())
        drive.Write("MSDOS.SYS", BytesOf(c.msdos));
    const BootOptionsFile file = ReadBootOptionsFile(drive.Locations());
    const std::vector<logo::Finding> findings = BootFindings(file, "C:\\logo.sys");
    std::vector<std::string> codes;
    for (const logo::Finding& finding : findings)
        codes.push_back(finding.code);
    EXPECT_EQ(codes, c.codes);
    EXPECT_EQ(logo::HasProblem(findings), c.problem);
    EXPECT_EQ(BootLine(file, "C:\\logo.sys"), std::string("C:\\MSDOS.SYS ") + c.line);
    const BootSentence sentence = DescribeBoot(file, "C:\\logo.sys");
    EXPECT_EQ(sentence.text, c.sentence);
    EXPECT_EQ(sentence.problem, c.stops);
}

INSTANTIATE_TEST_SUITE_P(
    Msdos, BootVerdictTest,
    ::testing::Values(
        VerdictCase{"Windows98Shows", testing_support::Windows98MsdosSys(), {}, false, "present logo=shown",
                    "Windows shows the logo (C:\\MSDOS.SYS).", false},
        VerdictCase{"NoMsdosSys", "", {}, false, "missing", "", false},
        VerdictCase{"LogoOff", "[Options]\r\nLogo=0\r\n", {"boot-logo-off"}, true, "present logo=off (Logo=0)",
                    "Logo=0 in C:\\MSDOS.SYS turns the logo off.", true},
        VerdictCase{"DosPromptAndLogoOff", "[options]\r\nBootGUI = 0\r\nlogo=0\r\n", {"boot-gui-off", "boot-logo-off"},
                    true, "present logo=never (BootGUI=0, Logo=0)",
                    "BootGUI=0 in C:\\MSDOS.SYS stops at the DOS prompt before the logo. Logo=0 in C:\\MSDOS.SYS "
                    "turns the logo off.",
                    true},
        VerdictCase{"OtherValuesKeepTheDefault", "[Options]\r\nBootGUI=2\r\nLogo=yes\r\n", {}, false,
                    "present logo=shown", "Windows shows the logo (C:\\MSDOS.SYS).", false},
        VerdictCase{"CompressedBootDrive", "[Paths]\r\nHostWinBootDrv=H:\r\n", {"boot-host-drive"}, false,
                    "present logo=shown host-drive=H",
                    "The boot drive is compressed: Windows reads the logo from its host drive H:.", false},
        VerdictCase{"DosKernel", testing_support::DosKernelMsdosSys(), {"boot-dos-kernel"}, false,
                    "present dos-kernel", "C:\\MSDOS.SYS is the MS-DOS kernel, which shows no logo.", true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
