#include "host/CommandLine.h"

#include <gtest/gtest.h>

#include <fstream>

#include <string>
#include <vector>

namespace {

using host::CommandLineParser;
using host::HostOptions;

HostOptions Parsed(const std::vector<std::string>& arguments)
{
    const CommandLineParser::Result result = CommandLineParser::Parse(arguments);
    EXPECT_TRUE(result.options.has_value()) << result.error;
    return result.options.value_or(HostOptions{});
}

TEST(HostCommandLine, NothingGivenMeansTheDefaults)
{
    const HostOptions options = Parsed({});
    EXPECT_TRUE(options.drives.empty());
    EXPECT_FALSE(options.windowsDir);
    EXPECT_FALSE(options.systemDir);
    EXPECT_FALSE(options.screenshotPath);
    EXPECT_FALSE(options.modulePath);
    EXPECT_FALSE(options.moduleInfo);
    EXPECT_FALSE(options.help);
}

TEST(HostCommandLine, EveryOptionWithSeparateValues)
{
    const HostOptions options = Parsed({"--drive", "C:=/mnt/win98", "--windows-dir", "C:\\WIN", "--system-dir",
                                        "C:\\WIN\\SYS", "--screenshot", "out.png", "my.cpl"});
    ASSERT_EQ(options.drives.size(), 1u);
    EXPECT_EQ(options.drives[0].letter, 'C');
    EXPECT_EQ(options.drives[0].folder, "/mnt/win98");
    EXPECT_EQ(options.windowsDir, "C:\\WIN");
    EXPECT_EQ(options.systemDir, "C:\\WIN\\SYS");
    EXPECT_EQ(options.screenshotPath, "out.png");
    EXPECT_EQ(options.modulePath, "my.cpl");
}

TEST(HostCommandLine, EveryOptionWithEqualsValues)
{
    const HostOptions options = Parsed({"--drive=D:=/srv/d", "--windows-dir=D:\\W", "--system-dir=D:\\W\\S",
                                        "--screenshot=a=b.png"});
    ASSERT_EQ(options.drives.size(), 1u);
    EXPECT_EQ(options.drives[0].letter, 'D');
    EXPECT_EQ(options.drives[0].folder, "/srv/d");
    EXPECT_EQ(options.windowsDir, "D:\\W");
    EXPECT_EQ(options.systemDir, "D:\\W\\S");
    EXPECT_EQ(options.screenshotPath, "a=b.png");
}

TEST(HostCommandLine, DrivesRepeatOncePerLetterInOrder)
{
    const HostOptions options = Parsed({"--drive", "C:=/c", "--drive", "e:=/e", "--drive", "Z=/z z"});
    ASSERT_EQ(options.drives.size(), 3u);
    EXPECT_EQ(options.drives[0].letter, 'C');
    EXPECT_EQ(options.drives[1].letter, 'E');
    EXPECT_EQ(options.drives[2].letter, 'Z');
    EXPECT_EQ(options.drives[2].folder, "/z z");
}

TEST(HostCommandLine, DriveFolderKeepsEverythingAfterTheFirstEquals)
{
    const HostOptions options = Parsed({"--drive", "C:=/odd=name/x"});
    ASSERT_EQ(options.drives.size(), 1u);
    EXPECT_EQ(options.drives[0].folder, "/odd=name/x");
}

struct WindowsFolderCase {
    const char* name;
    const char* given;
    const char* kept;
};

// Test names in ctest show the case, not its bytes.
void PrintTo(const WindowsFolderCase& value, std::ostream* out)
{
    *out << value.name;
}

class HostCommandLineWindowsFolder : public testing::TestWithParam<WindowsFolderCase> {};

TEST_P(HostCommandLineWindowsFolder, IsNormalised)
{
    EXPECT_EQ(Parsed({"--windows-dir", GetParam().given}).windowsDir, GetParam().kept);
    EXPECT_EQ(Parsed({"--system-dir", GetParam().given}).systemDir, GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(Forms, HostCommandLineWindowsFolder,
                         testing::Values(WindowsFolderCase{"Plain", "C:\\WINDOWS", "C:\\WINDOWS"},
                                         WindowsFolderCase{"TrailingBackslash", "C:\\windows\\", "C:\\windows"},
                                         WindowsFolderCase{"SeveralTrailing", "C:\\windows\\\\", "C:\\windows"},
                                         WindowsFolderCase{"LowerDriveLetter", "d:\\win", "D:\\win"},
                                         WindowsFolderCase{"DriveRootKeepsItsSeparator", "C:\\", "C:\\"},
                                         WindowsFolderCase{"ForwardSlashes", "C:/windows/system32", "C:/windows/system32"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HostCommandLine, ModuleInfoWithAndWithoutModule)
{
    EXPECT_TRUE(Parsed({"--module-info"}).moduleInfo);
    const HostOptions options = Parsed({"--module-info", "x.cpl"});
    EXPECT_TRUE(options.moduleInfo);
    EXPECT_EQ(options.modulePath, "x.cpl");
}

TEST(HostCommandLine, HelpInBothSpellings)
{
    EXPECT_TRUE(Parsed({"--help"}).help);
    EXPECT_TRUE(Parsed({"-h"}).help);
}

TEST(HostCommandLine, DoubleDashEndsOptions)
{
    EXPECT_EQ(Parsed({"--", "-odd.cpl"}).modulePath, "-odd.cpl");
}

struct BadLine {
    const char* name;
    std::vector<std::string> arguments;
    const char* errorMentions;
};

// Test names in ctest show the case, not its bytes.
void PrintTo(const BadLine& value, std::ostream* out)
{
    *out << value.name;
}

class HostCommandLineRefuses : public testing::TestWithParam<BadLine> {};

TEST_P(HostCommandLineRefuses, WithAReason)
{
    const CommandLineParser::Result result = CommandLineParser::Parse(GetParam().arguments);
    EXPECT_FALSE(result.options.has_value());
    EXPECT_NE(result.error.find(GetParam().errorMentions), std::string::npos) << result.error;
}

INSTANTIATE_TEST_SUITE_P(
    BadLines, HostCommandLineRefuses,
    testing::Values(BadLine{"UnknownOption", {"--colour"}, "unknown option '--colour'"},
                    BadLine{"UnknownShortOption", {"-x"}, "unknown option '-x'"},
                    BadLine{"DriveWithoutValue", {"--drive"}, "--drive needs a value"},
                    BadLine{"ScreenshotWithoutValue", {"--screenshot"}, "--screenshot needs a value"},
                    BadLine{"EmptyScreenshotName", {"--screenshot="}, "needs a file name"},
                    BadLine{"DriveWithoutLetter", {"--drive", ":=/x"}, "X:=DIR"},
                    BadLine{"DriveWithDigit", {"--drive", "1:=/x"}, "X:=DIR"},
                    BadLine{"DriveWithTwoLetters", {"--drive", "CD:=/x"}, "X:=DIR"},
                    BadLine{"DriveWithoutEquals", {"--drive", "C:/x"}, "X:=DIR"},
                    BadLine{"DriveWithoutFolder", {"--drive", "C:="}, "names no folder"},
                    BadLine{"SameDriveTwice", {"--drive", "C:=/a", "--drive", "c:=/b"}, "drive C: is given twice"},
                    BadLine{"WindowsDirTwice", {"--windows-dir", "C:\\A", "--windows-dir", "C:\\B"}, "given twice"},
                    BadLine{"SystemDirTwice", {"--system-dir=C:\\A", "--system-dir=C:\\B"}, "given twice"},
                    BadLine{"ScreenshotTwice", {"--screenshot", "a.png", "--screenshot", "b.png"}, "given twice"},
                    BadLine{"WindowsDirAsHostPath", {"--windows-dir", "/mnt/win/WINDOWS"}, "Windows path"},
                    BadLine{"SystemDirWithoutRoot", {"--system-dir", "C:WINDOWS"}, "Windows path"},
                    BadLine{"TwoModules", {"a.cpl", "b.cpl"}, "more than one MODULE"},
                    BadLine{"ModuleInfoWithValue", {"--module-info=x.cpl"}, "takes no value"},
                    BadLine{"ModuleInfoWithScreenshot", {"--module-info", "--screenshot", "a.png"}, "do not go together"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HostCommandLine, UsageNamesEveryOption)
{
    const std::string usage(CommandLineParser::Usage());
    for (const char* option : {"--drive X:=DIR", "--windows-dir", "--system-dir", "--screenshot", "--module-info", "MODULE"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

// README.md shows the help text in the fenced block after this line.
std::string ReadmeHelpBlock()
{
    std::ifstream in(LUMIVANE_README);
    std::string line;
    while (std::getline(in, line) && line != "The host's options (`lumivane --help`):") {
    }
    while (std::getline(in, line) && line != "```") {
    }
    std::string block;
    while (std::getline(in, line) && line != "```")
        block += line + '\n';
    return block;
}

TEST(HostCommandLine, ReadmeShowsTheHelpTextAsPrinted)
{
    const std::string readme = ReadmeHelpBlock();
    ASSERT_FALSE(readme.empty()) << "no help block found in " << LUMIVANE_README;
    EXPECT_EQ(readme, std::string(CommandLineParser::Usage()));
}

}  // namespace
