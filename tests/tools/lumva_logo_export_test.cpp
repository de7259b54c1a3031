// lumva-logo export, render and check: what they write, what they print and
// their exit status (the process's status is the same number, see
// lumva_logo_test.cpp).

#include "common/BmpBuilder.h"
#include "common/TestFiles.h"
#include "logo/LogoFile.h"
#include "logo/PaletteOperations.h"
#include "RunLogoTool.h"
#include "tools/LogoCommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using testing_support::ReadAll;
using testing_support::TempDir;

namespace {

using Outcome = testing_support::ToolOutcome;
using testing_support::RunTool;

std::string WriteBarLogo(const TempDir& dir, const std::string& name)
{
    logo::LogoImage image = testing_support::MakeVariedLogo(5);
    logo::PaletteState state;
    state.m_picture = &image;
    logo::LoadColorTable(state);
    state.m_blue = 180;
    EXPECT_EQ(logo::MakeAnimatedBar(state), logo::BarOutcome::Done);
    const std::string path = dir.File(name);
    testing_support::WriteAll(path, logo::EncodeLogoFile(image, state.m_colorTable, true, state.m_animCount));
    return path;
}

std::uint32_t BigEndianAt(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) | (std::uint32_t{bytes[at + 2]} << 8)
        | bytes[at + 3];
}

// Width and height from a PNG's IHDR.
std::pair<std::uint32_t, std::uint32_t> PngSize(const std::string& path)
{
    const auto bytes = ReadAll(path);
    if (bytes.size() < 24)
        return {0, 0};
    return {BigEndianAt(bytes, 16), BigEndianAt(bytes, 20)};
}

std::pair<int, int> GifSize(const std::string& path)
{
    const auto bytes = ReadAll(path);
    if (bytes.size() < 10 || bytes[0] != 'G')
        return {0, 0};
    return {bytes[6] | (bytes[7] << 8), bytes[8] | (bytes[9] << 8)};
}

}  // namespace

TEST(LumvaLogoExport, WritesEachFormatAtTheChosenSize)
{
    TempDir dir;
    const std::string in = WriteBarLogo(dir, "bar.sys");
    ASSERT_EQ(RunTool({"export", in, dir.File("a.gif")}).status, 0);
    EXPECT_EQ(GifSize(dir.File("a.gif")), (std::pair{320, 400}));
    ASSERT_EQ(RunTool({"export", in, dir.File("b.GIF"), "--screen", "--period", "70"}).status, 0);
    EXPECT_EQ(GifSize(dir.File("b.GIF")), (std::pair{640, 480}));

    ASSERT_EQ(RunTool({"export", in, dir.File("c.webp"), "--screen"}).status, 0);
    const auto webp = ReadAll(dir.File("c.webp"));
    ASSERT_GE(webp.size(), 12u);
    EXPECT_EQ(std::string(webp.begin() + 8, webp.begin() + 12), "WEBP");

    ASSERT_EQ(RunTool({"export", in, dir.File("d.png"), "--step", "4"}).status, 0);
    EXPECT_EQ(PngSize(dir.File("d.png")), (std::pair{320u, 400u}));
    ASSERT_EQ(RunTool({"render", in, dir.File("e.png"), "--screen", "--step", "2"}).status, 0);
    EXPECT_EQ(PngSize(dir.File("e.png")), (std::pair{640u, 480u}));
}

TEST(LumvaLogoExport, StepChoosesTheTickOfAPng)
{
    TempDir dir;
    const std::string in = WriteBarLogo(dir, "bar.sys");
    ASSERT_EQ(RunTool({"export", in, dir.File("t0.png")}).status, 0);
    ASSERT_EQ(RunTool({"export", in, dir.File("t21.png"), "--step", "21"}).status, 0);
    ASSERT_EQ(RunTool({"export", in, dir.File("t1.png"), "--step", "1"}).status, 0);
    EXPECT_EQ(ReadAll(dir.File("t0.png")), ReadAll(dir.File("t21.png")));  // a whole cycle
    EXPECT_NE(ReadAll(dir.File("t0.png")), ReadAll(dir.File("t1.png")));
}

TEST(LumvaLogoExport, RefusesBadUsageWithStatusTwoAndWritesNothing)
{
    TempDir dir;
    const std::string in = WriteBarLogo(dir, "bar.sys");
    const std::vector<std::vector<std::string>> cases = {
        {"export", in},
        {"export", in, dir.File("x.bmp")},
        {"export", in, dir.File("x.gif"), "--step", "3"},
        {"export", in, dir.File("x.png"), "--period", "100"},
        {"export", in, dir.File("x.gif"), "--period", "5"},
        {"export", in, dir.File("x.gif"), "--period"},
        {"export", in, dir.File("x.gif"), "--loud"},
        {"render", in, dir.File("x.gif")},
        {"render", in, dir.File("x.png"), "--step", "-1"},
        {"check"},
    };
    for (const auto& arguments : cases) {
        const Outcome result = RunTool(arguments);
        EXPECT_EQ(result.status, 2) << arguments.back();
        EXPECT_NE(result.err.find("usage:"), std::string::npos) << arguments.back();
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(LumvaLogoExport, UnreadableInputOrUnwritableOutputIsStatusOne)
{
    TempDir dir;
    const std::string in = WriteBarLogo(dir, "bar.sys");
    testing_support::WriteAll(dir.File("small.bmp"),
                              testing_support::MakeBmp(2, 1, 24, {}, std::vector<std::uint8_t>(6, 0)));

    const Outcome missing = RunTool({"export", dir.File("none.sys"), dir.File("x.gif")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err.rfind(dir.File("none.sys") + ": error: ", 0), 0u) << missing.err;

    const Outcome notALogo = RunTool({"render", dir.File("small.bmp"), dir.File("x.png")});
    EXPECT_EQ(notALogo.status, 1);
    EXPECT_NE(notALogo.err.find("not a logo"), std::string::npos);

    const Outcome unwritable = RunTool({"export", in, dir.File("no/folder/x.webp")});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err.rfind(dir.File("no/folder/x.webp") + ": error: ", 0), 0u) << unwritable.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.gif")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.png")));
}

TEST(LumvaLogoCheck, PrintsFileCodeAndTextAndFailsOnProblems)
{
    TempDir dir;
    const std::string good = WriteBarLogo(dir, "good.sys");
    auto bytes = ReadAll(good);
    bytes[52] = 1;
    testing_support::WriteAll(dir.File("bad.sys"), bytes);

    const Outcome clean = RunTool({"check", good});
    EXPECT_EQ(clean.status, 0);
    // The bar's entry 255 is advice only.
    EXPECT_EQ(clean.out.rfind(good + ": cycle-unused: entry 255 cycles", 0), 0u) << clean.out;

    const Outcome mixed = RunTool({"check", good, dir.File("bad.sys"), dir.File("none.sys")});
    EXPECT_EQ(mixed.status, 1);
    EXPECT_NE(mixed.out.find(dir.File("bad.sys") + ": marker-high-bytes: bytes 51 to 53"), std::string::npos)
        << mixed.out;
    EXPECT_NE(mixed.out.find(dir.File("none.sys") + ": unreadable: "), std::string::npos) << mixed.out;
}
