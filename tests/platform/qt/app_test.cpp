// The application object (naming, profile settings) and window icons from
// .ico resources.

#include "platform/qt/DialogTestSupport.h"

#include "common/ScopedEnv.h"
#include "common/TempDir.h"

#include "platform/ui/CWinApp.h"
#include "platform/qt/testing/UiTesting.h"
#include "platform/qt/IconDecoder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

using namespace uitest;
namespace pt = platform::testing;

class AppTest : public ::testing::Test {
protected:
    void SetUp() override { InstallResources(); }

    testing_support::TempDir m_dir;
    testing_support::ScopedEnv m_config{"XDG_CONFIG_HOME", m_dir.Path().string()};
};

struct NameCase {
    const char* name;
    const char* module;
    const char* expected;
};

class AppNameTest : public AppTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(AppNameTest, UnnamedApplicationTakesTheModulesBaseName)
{
    platform::CWinApp app;
    EXPECT_EQ(app.m_pszAppName, nullptr);
    ASSERT_TRUE(platform::AfxWinInit(GetParam().module));
    ASSERT_NE(app.m_pszAppName, nullptr);
    EXPECT_STREQ(app.m_pszAppName, GetParam().expected);
    EXPECT_EQ(platform::AfxGetApp(), &app);
    platform::AfxWinTerm();
}

INSTANTIATE_TEST_SUITE_P(Modules, AppNameTest,
                         ::testing::Values(NameCase{"HostPath", "/usr/lib/lumivane/lumva.cpl", "lumva"},
                                           NameCase{"WindowsPath", "C:\\WINDOWS\\SYSTEM\\LUMVA.CPL", "LUMVA"},
                                           NameCase{"NoDirectory", "lumva.cpl", "lumva"},
                                           NameCase{"NoExtension", "/opt/lumva", "lumva"},
                                           NameCase{"DotsInFolders", "/a.b/c.d/lumva.x.cpl", "lumva.x"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppTest, NamedApplicationKeepsItsName)
{
    platform::CWinApp app("given");
    platform::AfxWinInit("/x/lumva.cpl");
    EXPECT_STREQ(app.m_pszAppName, "given");
}

TEST_F(AppTest, StringTableTitleNamesTheApplication)
{
    InstallResources({}, true);
    platform::CWinApp app;
    platform::AfxWinInit("/x/lumva.cpl");
    EXPECT_STREQ(app.m_pszAppName, "Titled");
}

TEST_F(AppTest, NoNameAtAllFailsTheStart)
{
    platform::CWinApp app;
    EXPECT_FALSE(platform::AfxWinInit(""));
}

TEST_F(AppTest, ProfileGoesToTheProductKeysSettingsFile)
{
    platform::CWinApp app;
    platform::AfxWinInit("/x/lumva.cpl");
    app.SetRegistryKey("Lumivane");
    EXPECT_STREQ(app.m_pszRegistryKey, "Lumivane");
    EXPECT_EQ(app.GetProfileString("LogoEditor", "path", "C:\\WINDOWS\\pbrush.exe"), "C:\\WINDOWS\\pbrush.exe");
    EXPECT_EQ(app.GetProfileInt("AnimDlg", "x", -5), static_cast<UINT>(-5));
    EXPECT_TRUE(app.WriteProfileString("LogoEditor", "path", "D:\\my paint.exe"));
    EXPECT_TRUE(app.WriteProfileInt("AnimDlg", "x", 321));
    EXPECT_EQ(app.GetProfileString("LogoEditor", "path"), "D:\\my paint.exe");
    EXPECT_EQ(app.GetProfileInt("AnimDlg", "x", 0), 321u);
    EXPECT_TRUE(std::filesystem::exists(m_dir.Path() / "Lumivane" / "lumva.conf"));
}

// An .ico file: the directory, then per image a BITMAPINFOHEADER with the
// height doubled, the colour table, XOR rows and AND rows, bottom-up.
std::vector<std::uint8_t> MakeIco(const std::vector<std::pair<int, int>>& images)
{
    std::vector<std::uint8_t> out;
    auto u16 = [&](std::size_t at, unsigned v) {
        out[at] = static_cast<std::uint8_t>(v);
        out[at + 1] = static_cast<std::uint8_t>(v >> 8);
    };
    auto u32 = [&](std::size_t at, std::uint32_t v) {
        u16(at, v & 0xFFFF);
        u16(at + 2, v >> 16);
    };
    out.resize(6 + 16 * images.size());
    u16(2, 1);
    u16(4, static_cast<unsigned>(images.size()));
    for (std::size_t i = 0; i < images.size(); ++i) {
        const auto [side, bits] = images[i];
        const std::size_t start = out.size();
        const std::size_t palette = bits <= 8 ? (1u << bits) : 0;
        const std::size_t xorStride = ((side * bits + 31) / 32) * 4;
        const std::size_t andStride = ((side + 31) / 32) * 4;
        out.resize(start + 40 + palette * 4 + (xorStride + andStride) * side);
        u32(start, 40);
        u32(start + 4, side);
        u32(start + 8, side * 2);
        u16(start + 12, 1);
        u16(start + 14, bits);
        if (palette > 1) {
            out[start + 40 + 4 + 2] = 255;  // entry 1 is red
        }
        const std::size_t xorAt = start + 40 + palette * 4;
        if (bits == 8) {
            // Bottom-left pixel (first stored row) uses entry 1.
            out[xorAt] = 1;
        } else if (bits == 32) {
            for (std::size_t p = 0; p < static_cast<std::size_t>(side * side); ++p) {
                out[xorAt + p * 4 + 1] = 200;  // green, fully opaque
                out[xorAt + p * 4 + 3] = 255;
            }
        }
        // AND mask: the top-right pixel (last stored row) is transparent.
        const std::size_t andAt = xorAt + xorStride * side;
        const std::size_t lastRow = andAt + andStride * (side - 1);
        out[lastRow + (side - 1) / 8] |= static_cast<std::uint8_t>(0x80 >> ((side - 1) % 8));
        const std::size_t entry = 6 + 16 * i;
        out[entry] = static_cast<std::uint8_t>(side);
        out[entry + 1] = static_cast<std::uint8_t>(side);
        u16(entry + 4, 1);
        u16(entry + 6, bits);
        u32(entry + 8, static_cast<std::uint32_t>(out.size() - start));
        u32(entry + 12, static_cast<std::uint32_t>(start));
    }
    return out;
}

TEST(IconDecoderTest, DecodesIndexedImagesWithTheirMask)
{
    const auto images = platform::detail::DecodeIcoImages(MakeIco({{16, 8}, {32, 32}}));
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].size(), QSize(16, 16));
    EXPECT_EQ(images[0].pixel(0, 15), qRgb(255, 0, 0)) << "bottom-left pixel from palette entry 1";
    EXPECT_EQ(images[0].pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(qAlpha(images[0].pixel(15, 0)), 0) << "masked out";
    EXPECT_EQ(images[1].pixel(5, 5), qRgb(0, 200, 0));
}

struct BadIcoCase {
    const char* name;
    std::function<void(std::vector<std::uint8_t>&)> damage;
};

class BadIcoTest : public ::testing::TestWithParam<BadIcoCase> {};

TEST_P(BadIcoTest, MalformedImageIsSkipped)
{
    std::vector<std::uint8_t> ico = MakeIco({{16, 8}});
    GetParam().damage(ico);
    EXPECT_TRUE(platform::detail::DecodeIcoImages(ico).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Guards, BadIcoTest,
    ::testing::Values(BadIcoCase{"Empty", [](auto& b) { b.clear(); }},
                      BadIcoCase{"NotAnIcon", [](auto& b) { b[2] = 2; }},
                      BadIcoCase{"DirectoryBeyondEnd", [](auto& b) { b[4] = 200; }},
                      BadIcoCase{"OffsetBeyondEnd", [](auto& b) { b[6 + 12 + 2] = 0x7F; }},
                      BadIcoCase{"TruncatedPixels", [](auto& b) { b.resize(b.size() - 40); }},
                      BadIcoCase{"OddBitCount", [](auto& b) { b[22 + 14] = 7; }},
                      BadIcoCase{"Compressed", [](auto& b) { b[22 + 16] = 1; }},
                      BadIcoCase{"HugeWidth", [](auto& b) { b[22 + 5] = 0x10; }},
                      BadIcoCase{"PaletteTooLarge", [](auto& b) { b[22 + 33] = 0x10; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppTest, CaptionIconComesFromTheIconResource)
{
    InstallResources({{platform::ResourceType::Icon, 1000, MakeIco({{16, 8}, {32, 8}})}});
    platform::CDialog dialog(kKindsTemplate);
    ASSERT_TRUE(dialog.Create());
    EXPECT_TRUE(dialog.SetIcon(1000, FALSE));
    const std::vector<int> sizes = pt::WindowIconSizes(dialog);
    EXPECT_NE(std::find(sizes.begin(), sizes.end(), 16), sizes.end());
    EXPECT_NE(std::find(sizes.begin(), sizes.end(), 32), sizes.end());
    EXPECT_FALSE(dialog.SetIcon(1001, FALSE)) << "no such icon";
    dialog.DestroyWindow();
}

}  // namespace
