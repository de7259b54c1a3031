// The application object on Win32: its profile lives in the registry below
// HKEY_CURRENT_USER\Software\<product key>\<application>\<section>, strings
// as REG_SZ and integers as REG_DWORD; the application is named by
// AfxWinInit and torn down by AfxWinTerm.

#include "platform/WinTypes.h"

#include "platform/settings/ApplicationProfile.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/WinHelp.h"
#include "tests/win32/RegistryTesting.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using win32_test::DeleteRegistryTree;
using win32_test::QueryRegistryValue;
using win32_test::RegistryValue;

// A product key of this test run's own, removed with everything below it.
class RegistryProfileTest : public ::testing::Test {
protected:
    void SetUp() override { m_productKey = "LumivaneTest" + std::to_string(::GetCurrentProcessId()); }
    void TearDown() override { DeleteRegistryTree("Software\\" + m_productKey); }

    std::string m_productKey;
};

TEST_F(RegistryProfileTest, StringsAndIntegersRoundTripWithTheirRegistryTypes)
{
    platform::CWinApp app("lumva");
    app.SetRegistryKey(m_productKey.c_str());
    EXPECT_STREQ(app.m_pszRegistryKey, m_productKey.c_str());

    EXPECT_EQ(app.GetProfileString("LogoEditor", "path", "C:\\WINDOWS\\pbrush.exe"), "C:\\WINDOWS\\pbrush.exe");
    EXPECT_EQ(app.GetProfileInt("AnimDlg", "x", -5), static_cast<UINT>(-5));
    EXPECT_TRUE(app.WriteProfileString("LogoEditor", "path", "D:\\my paint.exe"));
    EXPECT_TRUE(app.WriteProfileInt("AnimDlg", "x", -321));
    EXPECT_TRUE(app.WriteProfileInt("AnimDlg", "big", static_cast<int>(0xFFFFFFFFu)));
    EXPECT_EQ(app.GetProfileString("LogoEditor", "path"), "D:\\my paint.exe");
    EXPECT_EQ(app.GetProfileInt("AnimDlg", "x", 0), static_cast<UINT>(-321));
    EXPECT_EQ(app.GetProfileInt("AnimDlg", "big", 0), 0xFFFFFFFFu);

    const std::string section = "Software\\" + m_productKey + "\\lumva\\";
    const std::optional<RegistryValue> path = QueryRegistryValue(section + "LogoEditor", "path");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::string(path->data.begin(), path->data.end()), std::string("D:\\my paint.exe") + '\0');
    const std::optional<RegistryValue> x = QueryRegistryValue(section + "AnimDlg", "x");
    ASSERT_TRUE(x);
    EXPECT_EQ(x->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(x->data.size(), sizeof(DWORD));
}

TEST_F(RegistryProfileTest, AValueOfTheOtherKindReadsAsTheDefault)
{
    platform::CWinApp app("lumva");
    app.SetRegistryKey(m_productKey.c_str());
    ASSERT_TRUE(app.WriteProfileInt("Mixed", "number", 7));
    ASSERT_TRUE(app.WriteProfileString("Mixed", "text", "not a number"));
    ASSERT_TRUE(app.WriteProfileString("Mixed", "digits", "0x10"));
    EXPECT_EQ(app.GetProfileString("Mixed", "number", "fallback"), "fallback");
    EXPECT_EQ(app.GetProfileInt("Mixed", "text", 3), 3u);
    // A number written as text by hand still counts.
    EXPECT_EQ(app.GetProfileInt("Mixed", "digits", 3), 16u);
}

TEST_F(RegistryProfileTest, TheProductKeyChangesWhereSettingsLive)
{
    platform::CWinApp app("lumva");
    app.SetRegistryKey(m_productKey.c_str());
    ASSERT_TRUE(app.WriteProfileString("Where", "entry", "first"));
    app.SetRegistryKey((m_productKey + "Other").c_str());
    EXPECT_EQ(app.GetProfileString("Where", "entry", "none"), "none");
    ASSERT_TRUE(app.WriteProfileString("Where", "entry", "second"));
    DeleteRegistryTree("Software\\" + m_productKey + "Other");
    app.SetRegistryKey(m_productKey.c_str());
    EXPECT_EQ(app.GetProfileString("Where", "entry", "none"), "first");
}

TEST_F(RegistryProfileTest, TheRunningApplicationNamesTheSharedProfile)
{
    {
        platform::CWinApp app("lumva");
        app.SetRegistryKey(m_productKey.c_str());
        ASSERT_TRUE(app.WriteProfileInt("Shared", "value", 42));
        EXPECT_EQ(platform::AfxGetApp(), &app);
        const std::optional<platform::SettingsFile> profile = platform::ApplicationProfile();
        ASSERT_TRUE(profile);
        EXPECT_EQ(profile->ReadInt("Shared", "value", 0), 42);
    }
    EXPECT_EQ(platform::AfxGetApp(), nullptr);
    EXPECT_FALSE(platform::ApplicationProfile());
}

TEST_F(RegistryProfileTest, AnUnnamedApplicationStoresNothing)
{
    platform::CWinApp app;
    EXPECT_EQ(app.m_pszAppName, nullptr);
    EXPECT_FALSE(app.WriteProfileString("Section", "entry", "value"));
    EXPECT_EQ(app.GetProfileString("Section", "entry", "default"), "default");
}

struct ModuleName {
    const char* name;
    const char* module;
    const char* expected;
};

class Win32AppName : public ::testing::TestWithParam<ModuleName> {};

TEST_P(Win32AppName, AnUnnamedApplicationTakesTheModulesBaseName)
{
    platform::CWinApp app;
    ASSERT_TRUE(platform::AfxWinInit(GetParam().module));
    ASSERT_NE(app.m_pszAppName, nullptr);
    EXPECT_STREQ(app.m_pszAppName, GetParam().expected);
    platform::AfxWinTerm();
}

INSTANTIATE_TEST_SUITE_P(Modules, Win32AppName,
                         ::testing::Values(ModuleName{"SystemFolder", "C:\\WINDOWS\\SYSTEM\\LUMVA.CPL", "LUMVA"},
                                           ModuleName{"NoDirectory", "lumva.cpl", "lumva"},
                                           ModuleName{"DotsInFolders", "C:\\a.b\\lumva.x.cpl", "lumva.x"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Win32AppStart, ANamedApplicationKeepsItsNameAndNoNameFails)
{
    {
        platform::CWinApp app("given");
        EXPECT_TRUE(platform::AfxWinInit("C:\\x\\lumva.cpl"));
        EXPECT_STREQ(app.m_pszAppName, "given");
    }
    platform::CWinApp unnamed;
    EXPECT_FALSE(platform::AfxWinInit(""));
}

}  // namespace
