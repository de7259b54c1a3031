// Where the applet looks: normalised directories and every path built from
// them by plain concatenation.

#include "common/ScopedEnv.h"
#include "slots/LogoSlot.h"
#include "slots/SlotFiles.h"
#include "slots/SystemLocations.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

using testing_support::ScopedEnv;

struct NormaliseCase {
    const char* name;
    const char* windowsIn;
    const char* systemIn;
    const char* windowsDir;
    const char* bootRoot;
    const char* systemDir;
};

void PrintTo(const NormaliseCase& c, std::ostream* os)
{
    *os << c.name;
}


class NormaliseLocationsTest : public ::testing::TestWithParam<NormaliseCase> {};

TEST_P(NormaliseLocationsTest, EndsInABackslash)
{
    const NormaliseCase& c = GetParam();
    const SystemLocations locations = NormaliseLocations(c.windowsIn, c.systemIn);
    EXPECT_EQ(locations.windowsDir, c.windowsDir);
    EXPECT_EQ(locations.bootRoot, c.bootRoot);
    EXPECT_EQ(locations.systemDir, c.systemDir);
}

INSTANTIATE_TEST_SUITE_P(
    Directories, NormaliseLocationsTest,
    ::testing::Values(
        NormaliseCase{"Plain", "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS\\", "C:\\", "C:\\WINDOWS\\SYSTEM\\"},
        NormaliseCase{"TrailingBackslash", "C:\\WINDOWS\\", "C:\\WINDOWS\\SYSTEM\\", "C:\\WINDOWS\\", "C:\\",
                      "C:\\WINDOWS\\SYSTEM\\"},
        NormaliseCase{"TrailingBlanks", "C:\\WINDOWS   ", "C:\\WINDOWS\\SYSTEM  ", "C:\\WINDOWS\\", "C:\\",
                      "C:\\WINDOWS\\SYSTEM\\"},
        NormaliseCase{"TrailingTabsAndNewline", "D:\\WIN98\t\r\n", "D:\\WIN98\\SYSTEM\t", "D:\\WIN98\\", "D:\\",
                      "D:\\WIN98\\SYSTEM\\"},
        NormaliseCase{"BackslashThenBlank", "C:\\WINDOWS\\ ", "C:\\WINDOWS\\SYSTEM\\\t", "C:\\WINDOWS\\", "C:\\",
                      "C:\\WINDOWS\\SYSTEM\\"},
        // Backslashes the system reports are its own: none is taken away.
        NormaliseCase{"DoubledBackslashKept", "C:\\WINDOWS\\\\", "C:\\WINDOWS\\SYSTEM\\\\", "C:\\WINDOWS\\\\", "C:\\",
                      "C:\\WINDOWS\\SYSTEM\\\\"},
        NormaliseCase{"BlankBeforeFinalBackslashKept", "C:\\MY WIN \\", "C:\\MY WIN \\SYS \\", "C:\\MY WIN \\", "C:\\",
                      "C:\\MY WIN \\SYS \\"},
        NormaliseCase{"BlankBackslashBlank", "C:\\MY WIN \\ ", "C:\\MY WIN \\SYS \\\t", "C:\\MY WIN \\", "C:\\",
                      "C:\\MY WIN \\SYS \\"},
        NormaliseCase{"OnlyBlanksIsNoDirectory", "   ", "\t", "", "", ""},
        NormaliseCase{"WindowsInDriveRoot", "E:\\", "E:\\SYSTEM", "E:\\", "E:\\", "E:\\SYSTEM\\"},
        NormaliseCase{"InnerBlanksKept", "C:\\MY WIN", "C:\\MY WIN\\SYS 32", "C:\\MY WIN\\", "C:\\",
                      "C:\\MY WIN\\SYS 32\\"},
        NormaliseCase{"FailedQueryStaysEmpty", "", "", "", "", ""}),
    [](const ::testing::TestParamInfo<NormaliseCase>& info) { return std::string(info.param.name); });



TEST(DetermineLocations, NormalisesWhatTheSystemReports)
{
    const ScopedEnv windows("LUMIVANE_WINDOWS_DIR", "D:\\WIN98  ");
    const ScopedEnv system("LUMIVANE_SYSTEM_DIR", "D:\\WIN98\\SYSTEM\\");
    const SystemLocations locations = DetermineLocations();
    EXPECT_EQ(locations.windowsDir, "D:\\WIN98\\");
    EXPECT_EQ(locations.bootRoot, "D:\\");
    EXPECT_EQ(locations.systemDir, "D:\\WIN98\\SYSTEM\\");
}

TEST(DetermineLocations, DefaultsWhenNothingIsConfigured)
{
    const ScopedEnv windows("LUMIVANE_WINDOWS_DIR", std::nullopt);
    const ScopedEnv system("LUMIVANE_SYSTEM_DIR", std::nullopt);
    const SystemLocations locations = DetermineLocations();
    EXPECT_EQ(locations.windowsDir, "C:\\WINDOWS\\");
    EXPECT_EQ(locations.bootRoot, "C:\\");
    EXPECT_EQ(locations.systemDir, "C:\\WINDOWS\\SYSTEM\\");
}

TEST(DetermineLocations, DirectoryTooLongForTheBufferGivesNoPaths)
{
    const ScopedEnv windows("LUMIVANE_WINDOWS_DIR", "C:\\" + std::string(300, 'W'));
    const ScopedEnv system("LUMIVANE_SYSTEM_DIR", "C:\\WINDOWS\\SYSTEM");
    const SystemLocations locations = DetermineLocations();
    EXPECT_EQ(locations.windowsDir, "");
    EXPECT_EQ(locations.bootRoot, "");
    EXPECT_EQ(locations.systemDir, "C:\\WINDOWS\\SYSTEM\\");
}

TEST(DetermineLocations, LongestDirectoryThatFitsIsKept)
{
    const std::string longest = "C:\\" + std::string(251, 'W');  // 254 characters plus the NUL
    const ScopedEnv windows("LUMIVANE_WINDOWS_DIR", longest);
    EXPECT_EQ(DetermineLocations().windowsDir, longest + "\\");
}

// Unusual directories show that nothing is inserted between a directory and
// a name.
const SystemLocations kOdd{"X:\\W\\", "R:\\", "X:\\S\\"};

struct PathCase {
    const char* name;
    std::string (*build)();
    const char* expected;
};

void PrintTo(const PathCase& c, std::ostream* os)
{
    *os << c.name;
}


class SlotPathsTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(SlotPathsTest, PlainConcatenation)
{
    EXPECT_EQ(GetParam().build(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    EveryPath, SlotPathsTest,
    ::testing::Values(
        PathCase{"SystemFileStartUp", [] { return SystemFile(LogoSlot::StartUp, kOdd); }, "R:\\logo.sys"},
        PathCase{"SystemFilePreShutDown", [] { return SystemFile(LogoSlot::PreShutDown, kOdd); }, "X:\\W\\logow.sys"},
        PathCase{"SystemFileShutDown", [] { return SystemFile(LogoSlot::ShutDown, kOdd); }, "X:\\W\\logos.sys"},
        PathCase{"ApplyTargetStartUp", [] { return ApplyTarget(LogoSlot::StartUp, kOdd); }, "R:\\Logo.sys"},
        PathCase{"ApplyTargetPreShutDown", [] { return ApplyTarget(LogoSlot::PreShutDown, kOdd); },
                 "X:\\W\\Logow.sys"},
        PathCase{"ApplyTargetShutDown", [] { return ApplyTarget(LogoSlot::ShutDown, kOdd); }, "X:\\W\\Logos.sys"},
        PathCase{"DefaultSourceStartUp", [] { return DefaultSource(LogoSlot::StartUp, kOdd); }, "Default"},
        PathCase{"DefaultSourcePreShutDown", [] { return DefaultSource(LogoSlot::PreShutDown, kOdd); },
                 "R:\\program files\\plus!\\themes\\lumivane\\default\\prshtdwn.dat"},
        PathCase{"DefaultSourceShutDown", [] { return DefaultSource(LogoSlot::ShutDown, kOdd); },
                 "R:\\program files\\plus!\\themes\\lumivane\\default\\shtdwn.dat"},
        PathCase{"EffectiveFileWithoutPending", [] { return EffectiveFile(LogoSlot::ShutDown, "", kOdd); },
                 "X:\\W\\logos.sys"},
        PathCase{"EffectiveFileWithPending",
                 [] { return EffectiveFile(LogoSlot::PreShutDown, "/home/u/pictures/mine.bmp", kOdd); },
                 "/home/u/pictures/mine.bmp"},
        PathCase{"HelpFile", [] { return HelpFile(kOdd); }, "X:\\W\\help\\lumva.hlp"},
        PathCase{"DefaultLogoEditor", [] { return DefaultLogoEditor(kOdd); }, "X:\\W\\pbrush.exe"},
        PathCase{"NewLogoTemplate", [] { return NewLogoTemplate(kOdd); }, "X:\\S\\New.tpl"}),
    [](const ::testing::TestParamInfo<PathCase>& info) { return std::string(info.param.name); });

TEST(DefaultMarker, ComparedCaseSensitively)
{
    EXPECT_TRUE(IsDefaultMarker("Default"));
    EXPECT_FALSE(IsDefaultMarker("default"));
    EXPECT_FALSE(IsDefaultMarker("DEFAULT"));
    EXPECT_FALSE(IsDefaultMarker("Default "));
    EXPECT_FALSE(IsDefaultMarker(""));
}

TEST(LogoSlotIndex, OnlyZeroToTwoNameASlot)
{
    EXPECT_EQ(SlotFromIndex(0), LogoSlot::StartUp);
    EXPECT_EQ(SlotFromIndex(1), LogoSlot::PreShutDown);
    EXPECT_EQ(SlotFromIndex(2), LogoSlot::ShutDown);
    EXPECT_EQ(SlotFromIndex(-1), std::nullopt);
    EXPECT_EQ(SlotFromIndex(3), std::nullopt);
    for (std::size_t i = 0; i < kAllLogoSlots.size(); ++i)
        EXPECT_EQ(SlotIndex(kAllLogoSlots[i]), i);
}

}  // namespace
