// lumva-logo, driven through its command interface and, for the exit status,
// as a real process.

#include "common/BmpBuilder.h"
#include "common/TestFiles.h"
#include "logo/BmpReader.h"
#include "logo/LogoFile.h"
#include "platform/files/LogoFileWriter.h"
#include "RunLogoTool.h"
#include "tools/LogoCommand.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

using testing_support::ReadAll;
using testing_support::TempDir;

namespace {

using Outcome = testing_support::ToolOutcome;
using testing_support::RunTool;

logo::ColorTable TableOf(const logo::Picture& picture)
{
    logo::ColorTable table{};
    std::copy(picture.colorTable.begin(), picture.colorTable.end(), table.begin());
    return table;
}

// A logo whose pixels use entries 0..3 only, entry 3 a duplicate of 1.
std::string WriteSimpleLogo(const TempDir& dir, const std::string& name, bool animated = false, int count = 0)
{
    logo::LogoImage image = logo::MakeBlankLogo();
    image.colorTable[1] = {0, 0, 200, 0};
    image.colorTable[2] = {0, 200, 0, 0};
    image.colorTable[3] = {0, 0, 200, 0};
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = static_cast<std::uint8_t>(i % 4);
    const std::string path = dir.File(name);
    EXPECT_TRUE(platform::WriteLogoFile(path, image, TableOf(image), animated, static_cast<std::uint8_t>(count)));
    return path;
}

logo::Picture Load(const std::string& path)
{
    logo::LoadResult loaded = logo::LoadBmpFile(path);
    EXPECT_TRUE(loaded) << loaded.error.reason;
    return loaded ? *loaded.picture : logo::Picture{};
}

}  // namespace

TEST(LumvaLogoInfo, DescribesEachFileAndFailsAfterAll)
{
    TempDir dir;
    const std::string animated = WriteSimpleLogo(dir, "a.bmp", true, 21);
    testing_support::WriteAll(dir.File("small.bmp"),
                              testing_support::MakeBmp(2, 1, 24, {}, std::vector<std::uint8_t>(6, 1)));
    testing_support::WriteAll(dir.File("broken.bmp"), testing_support::MakeBrokenRle8Logo());
    const Outcome result =
        RunTool({"info", animated, dir.File("missing.bmp"), dir.File("small.bmp"), dir.File("broken.bmp")});
    EXPECT_EQ(result.status, 1);
    std::istringstream lines(result.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, animated + ": width=320 height=400 bits=8 logo=yes animated=21");
    std::getline(lines, line);
    EXPECT_EQ(line.rfind(dir.File("missing.bmp") + ": error: ", 0), 0u) << line;
    std::getline(lines, line);
    EXPECT_EQ(line, dir.File("small.bmp") + ": width=2 height=1 bits=24 logo=no animated=0");
    // A logo's headers over pixels that do not decode: Browse's test says no.
    std::getline(lines, line);
    EXPECT_EQ(line, dir.File("broken.bmp") + ": width=320 height=400 bits=8 logo=no animated=0");
}

// info reads headers only: a tiny file claiming a picture far larger than
// any decode would accept is described, a FIFO refused without waiting.
TEST(LumvaLogoInfo, AnswersFromTheHeadersAndRefusesWhatIsNoFile)
{
    TempDir dir;
    testing_support::BmpParts tiny;
    tiny.width = 20000;
    tiny.height = 20000;
    tiny.compression = 1;  // RLE8
    tiny.clrUsed = 1;
    tiny.table = {logo::RgbQuad{0, 0, 0, 0}};
    tiny.pixelData = {0, 1, 0, 0, 0, 0};  // end of bitmap
    testing_support::WriteAll(dir.File("huge.bmp"), testing_support::BuildBmp(tiny));
    ASSERT_EQ(mkfifo(dir.File("fifo.sys").c_str(), 0600), 0);

    const Outcome result = RunTool({"info", dir.File("huge.bmp"), dir.File("fifo.sys")});

    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, dir.File("huge.bmp") + ": width=20000 height=20000 bits=8 logo=no animated=0\n"
                              + dir.File("fifo.sys") + ": error: " + dir.File("fifo.sys")
                              + " is not a regular file\n");
}

TEST(LumvaLogoEdit, RunsStepsInOrderAndWritesStaticByDefault)
{
    TempDir dir;
    const std::string in = WriteSimpleLogo(dir, "in.bmp");
    const Outcome result = RunTool({"edit", in, dir.File("out.bmp"), "--color", "0,200,0", "--find", "--remove-unused",
                                "--find"});
    ASSERT_EQ(result.status, 0) << result.err;
    // Entry 2 holds green before and after the merge of 3 into 1.
    EXPECT_EQ(result.out, "found=2\nfreed=253\nfound=2\n");
    const auto bytes = ReadAll(dir.File("out.bmp"));
    ASSERT_EQ(bytes.size(), logo::kLogoFileSize);
    EXPECT_EQ(bytes[50], 0);
    const logo::Picture out = Load(dir.File("out.bmp"));
    EXPECT_EQ(out.pixels[3], 1);  // the duplicate's pixels moved to entry 1
}

TEST(LumvaLogoEdit, MakesAnAnimatedBarAndWritesTheMarker)
{
    TempDir dir;
    const std::string in = WriteSimpleLogo(dir, "in.bmp");
    const Outcome result = RunTool({"edit", in, dir.File("bar.bmp"), "--color", "250,0,10", "--make-bar", "--animated"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto bytes = ReadAll(dir.File("bar.bmp"));
    EXPECT_EQ(bytes[50], 235);
    const logo::Picture out = Load(dir.File("bar.bmp"));
    EXPECT_EQ(out.colorTable[245], (logo::RgbQuad{10, 0, 250, 0}));
    EXPECT_EQ(out.pixels[399 * 320], 254);
}

TEST(LumvaLogoEdit, StepsRotateTheWrittenTable)
{
    TempDir dir;
    const std::string in = WriteSimpleLogo(dir, "in.bmp", true, 3);
    const logo::Picture before = Load(in);
    ASSERT_EQ(RunTool({"edit", in, dir.File("o.bmp"), "--step", "1", "--animated"}).status, 0);
    const logo::Picture after = Load(dir.File("o.bmp"));
    EXPECT_EQ(after.colorTable[253], before.colorTable[254]);
    EXPECT_EQ(after.colorTable[254], before.colorTable[255]);
    EXPECT_EQ(after.colorTable[255], before.colorTable[253]);
    EXPECT_EQ(ReadAll(dir.File("o.bmp"))[50], 253);
}

TEST(LumvaLogoEdit, SwapMovesPixelsWithTheirColours)
{
    TempDir dir;
    const std::string in = WriteSimpleLogo(dir, "in.bmp");
    ASSERT_EQ(RunTool({"edit", in, dir.File("o.bmp"), "--swap", "1,2"}).status, 0);
    const logo::Picture before = Load(in);
    const logo::Picture after = Load(dir.File("o.bmp"));
    for (std::size_t i = 0; i < before.pixels.size(); i += 997)
        EXPECT_EQ(before.ColorAt(static_cast<int>(i % 320), static_cast<int>(i / 320)),
                  after.ColorAt(static_cast<int>(i % 320), static_cast<int>(i / 320)));
    EXPECT_EQ(after.pixels[1], 2);
}

TEST(LumvaLogoEditRefusal, BarWithoutSpaceWritesNothing)
{
    TempDir dir;
    logo::LogoImage full = testing_support::MakeVariedLogo(1);
    for (std::size_t i = 0; i < 256; ++i) {
        full.colorTable[i] = {static_cast<std::uint8_t>(i), 1, 2, 0};
        full.pixels[i] = static_cast<std::uint8_t>(i);
    }
    ASSERT_TRUE(platform::WriteLogoFile(dir.File("full.bmp"), full, TableOf(full), false, 0));
    const Outcome result = RunTool({"edit", dir.File("full.bmp"), dir.File("o.bmp"), "--make-bar"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.out.find("There isn't sufficient space in the color palette"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.bmp")));
}

TEST(LumvaLogoEditRefusal, InputMustBeALogo)
{
    TempDir dir;
    testing_support::WriteAll(dir.File("small.bmp"),
                              testing_support::MakeBmp(2, 2, 8, std::vector<logo::RgbQuad>(256), {0, 0, 0, 0}));
    EXPECT_EQ(RunTool({"edit", dir.File("small.bmp"), dir.File("o.bmp")}).status, 1);
    EXPECT_EQ(RunTool({"edit", dir.File("none.bmp"), dir.File("o.bmp")}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.bmp")));
}

struct UsageCase {
    const char* name;
    std::vector<std::string> arguments;
};

class LumvaLogoUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(LumvaLogoUsage, IsRefusedWithStatusTwoBeforeAnythingIsWritten)
{
    TempDir dir;
    const std::string in = WriteSimpleLogo(dir, "in.bmp");
    std::vector<std::string> arguments = GetParam().arguments;
    for (std::string& argument : arguments) {
        if (argument == "IN")
            argument = in;
        if (argument == "OUT")
            argument = dir.File("o.bmp");
    }
    const Outcome result = RunTool(arguments);
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("usage:"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.bmp")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LumvaLogoUsage,
    ::testing::Values(UsageCase{"NoCommand", {}}, UsageCase{"UnknownCommand", {"paint"}},
                      UsageCase{"InfoWithoutFiles", {"info"}}, UsageCase{"EditWithoutOut", {"edit", "IN"}},
                      UsageCase{"CountZero", {"edit", "IN", "OUT", "--count", "0"}},
                      UsageCase{"CountTooBig", {"edit", "IN", "OUT", "--count", "256"}},
                      UsageCase{"ColorMissingPart", {"edit", "IN", "OUT", "--color", "1,2"}},
                      UsageCase{"ColorOutOfRange", {"edit", "IN", "OUT", "--color", "1,2,300"}},
                      UsageCase{"SwapNotANumber", {"edit", "IN", "OUT", "--swap", "a,b"}},
                      UsageCase{"PlaceWithoutValue", {"edit", "IN", "OUT", "--place"}},
                      UsageCase{"UnknownStep", {"edit", "IN", "OUT", "--blur"}},
                      UsageCase{"BadStepAfterGoodOnes", {"edit", "IN", "OUT", "--reverse", "--step", "-1"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LumvaLogoProcess, ExitStatusReachesTheShell)
{
    TempDir dir;
    const std::string in = WriteSimpleLogo(dir, "in.bmp");
    const std::string tool = LUMVA_LOGO_PATH;
    auto status = [](const std::string& command) { return WEXITSTATUS(std::system(command.c_str())); };
    EXPECT_EQ(status("'" + tool + "' >/dev/null 2>&1"), 2);
    EXPECT_EQ(status("'" + tool + "' info '" + in + "' >/dev/null"), 0);
    EXPECT_EQ(status("'" + tool + "' info '" + dir.File("none.bmp") + "' >/dev/null"), 1);
    EXPECT_EQ(status("'" + tool + "' edit '" + in + "' '" + dir.File("o.bmp") + "' --reverse"), 0);
    EXPECT_TRUE(logo::HasExactLogoLayout(dir.File("o.bmp")));
}
