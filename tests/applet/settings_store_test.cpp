// The settings table and the store's reads and writes, checked against the
// file the platform's settings backend keeps.

#include "applet/AppletAttach.h"
#include "applet/CAppletApp.h"
#include "applet/SettingsStore.h"
#include "common/TestFiles.h"
#include "platform/modres/ModuleResources.h"
#include "platform/settings/SettingsFile.h"
#include "resources/ModuleResourceBlob.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

struct TableRow {
    const char* name;
    Setting setting;
    const char* section;
    const char* entry;
    SettingType type;
    DefaultFrom defaultFrom;
};

const TableRow kRows[] = {
    {"LogoEditorPath", Setting::LogoEditorPath, "LogoEditor", "path", SettingType::String, DefaultFrom::Caller},
    {"PreviousLogoEditorPath", Setting::PreviousLogoEditorPath, "LogoEditor", "prvpath", SettingType::String,
     DefaultFrom::Table},
    {"LastLogoPath", Setting::LastLogoPath, "LastLogo", "path", SettingType::String, DefaultFrom::Table},
    {"PreShutDownRefused", Setting::PreShutDownRefused, "PrShtDwn", "set", SettingType::Integer, DefaultFrom::Table},
    {"AnimDlgX", Setting::AnimDlgX, "AnimDlg", "x", SettingType::Integer, DefaultFrom::Caller},
    {"AnimDlgY", Setting::AnimDlgY, "AnimDlg", "y", SettingType::Integer, DefaultFrom::Caller},
    {"AnimDlgPreviewX", Setting::AnimDlgPreviewX, "AnimDlg", "px", SettingType::Integer, DefaultFrom::Caller},
    {"AnimDlgPreviewY", Setting::AnimDlgPreviewY, "AnimDlg", "py", SettingType::Integer, DefaultFrom::Caller},
};

class SettingsTableTest : public ::testing::TestWithParam<TableRow> {};

TEST_P(SettingsTableTest, RowMatchesTheSettingsOfTheApplet)
{
    const TableRow& row = GetParam();
    const SettingDefinition& definition = DefinitionOf(row.setting);
    EXPECT_STREQ(definition.section, row.section);
    EXPECT_STREQ(definition.entry, row.entry);
    EXPECT_EQ(definition.type, row.type);
    EXPECT_EQ(definition.defaultFrom, row.defaultFrom);
    if (row.defaultFrom == DefaultFrom::Table) {
        EXPECT_STREQ(definition.stringDefault, "");
        EXPECT_EQ(definition.integerDefault, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(EverySetting, SettingsTableTest, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<TableRow>& info) { return std::string(info.param.name); });

TEST(SettingsTable, HoldsEightSettingsAndNoOthers)
{
    EXPECT_EQ(SettingsTable().size(), std::size(kRows));
}

// A store under a temporary config folder, named the way the module names it.
class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("XDG_CONFIG_HOME", m_config.Path().c_str(), 1);
        platform::SetModuleResources(res::ModuleResourceBlob());
        ASSERT_TRUE(AttachApplet(m_app, "/usr/lib/lumivane/lumva.cpl"));
    }
    void TearDown() override
    {
        DetachApplet(m_app);
        unsetenv("XDG_CONFIG_HOME");
    }

    std::filesystem::path SettingsPath() const { return m_config.Path() / "Lumivane" / "lumva.conf"; }
    platform::SettingsFile RawFile() const { return platform::SettingsFile("Lumivane", "lumva"); }

    testing_support::TempDir m_config;
    CAppletApp m_app;
};

TEST_F(SettingsStoreTest, EmptyStoreGivesEveryDefault)
{
    SettingsStore store;
    EXPECT_EQ(store.ReadLogoEditorPath("C:\\WINDOWS\\pbrush.exe"), "C:\\WINDOWS\\pbrush.exe");
    EXPECT_EQ(store.ReadPreviousLogoEditorPath(), "");
    EXPECT_EQ(store.ReadLastLogoPath(), "");
    EXPECT_EQ(store.ReadPreShutDownRefused(), 0);
    const POINT anim = store.ReadAnimDlgPosition(POINT{120, 80});
    EXPECT_EQ(anim.x, 120);
    EXPECT_EQ(anim.y, 80);
    const POINT preview = store.ReadPreviewPosition(POINT{-5, 640});
    EXPECT_EQ(preview.x, -5);
    EXPECT_EQ(preview.y, 640);
    EXPECT_FALSE(std::filesystem::exists(SettingsPath())) << "reading must not create the file";
}

TEST_F(SettingsStoreTest, WritesLandUnderProductKeyAndApplicationName)
{
    SettingsStore store;
    EXPECT_TRUE(store.WriteLogoEditorPath("/usr/bin/my editor"));
    EXPECT_TRUE(std::filesystem::exists(SettingsPath()));
    EXPECT_EQ(RawFile().ReadString("LogoEditor", "path", "<absent>"), "/usr/bin/my editor");
}

TEST_F(SettingsStoreTest, EachSettingKeepsItsOwnValueAndType)
{
    SettingsStore store;
    store.WriteLogoEditorPath("C:\\TOOLS\\ED.EXE");
    store.WritePreviousLogoEditorPath("C:\\WINDOWS\\pbrush.exe");
    store.WriteLastLogoPath("/home/u/logo one.bmp");
    store.WritePreShutDownRefused(1);
    store.WriteAnimDlgPosition(POINT{-30, 15});
    store.WritePreviewPosition(POINT{700, 2});

    SettingsStore reread;
    EXPECT_EQ(reread.ReadLogoEditorPath("x"), "C:\\TOOLS\\ED.EXE");
    EXPECT_EQ(reread.ReadPreviousLogoEditorPath(), "C:\\WINDOWS\\pbrush.exe");
    EXPECT_EQ(reread.ReadLastLogoPath(), "/home/u/logo one.bmp");
    EXPECT_EQ(reread.ReadPreShutDownRefused(), 1);
    EXPECT_EQ(reread.ReadAnimDlgPosition(POINT{}).x, -30);
    EXPECT_EQ(reread.ReadAnimDlgPosition(POINT{}).y, 15);
    EXPECT_EQ(reread.ReadPreviewPosition(POINT{}).x, 700);
    EXPECT_EQ(reread.ReadPreviewPosition(POINT{}).y, 2);

    // Integers are stored as integers, strings as strings.
    EXPECT_EQ(RawFile().ReadInt("PrShtDwn", "set", -1), 1);
    EXPECT_EQ(RawFile().ReadString("PrShtDwn", "set", "<not a string>"), "<not a string>");
    EXPECT_EQ(RawFile().ReadInt("AnimDlg", "x", 0), -30);
}

TEST_F(SettingsStoreTest, AccessWithTheOtherTypeReadsTheDefaultAndWritesNothing)
{
    SettingsStore store;
    EXPECT_FALSE(store.WriteString(Setting::PreShutDownRefused, "1"));
    EXPECT_FALSE(store.WriteInt(Setting::LastLogoPath, 7));
    EXPECT_FALSE(std::filesystem::exists(SettingsPath()));
    store.WriteLastLogoPath("C:\\a.bmp");
    EXPECT_EQ(store.ReadInt(Setting::LastLogoPath, 5), 0) << "a string setting has no integer";
}

TEST_F(SettingsStoreTest, MistypedStoredValueGivesTheDefault)
{
    ASSERT_TRUE(RawFile().WriteString("PrShtDwn", "set", "yes"));
    ASSERT_TRUE(RawFile().WriteInt("LastLogo", "path", 12));
    SettingsStore store;
    EXPECT_EQ(store.ReadPreShutDownRefused(), 0);
    EXPECT_EQ(store.ReadLastLogoPath(), "");
}

TEST_F(SettingsStoreTest, WritingOneSettingKeepsTheOthers)
{
    SettingsStore store;
    store.WriteLogoEditorPath("C:\\one.exe");
    store.WritePreShutDownRefused(1);
    store.WriteLastLogoPath("C:\\two.bmp");
    EXPECT_EQ(store.ReadLogoEditorPath(""), "C:\\one.exe");
    EXPECT_EQ(store.ReadPreShutDownRefused(), 1);
}

TEST(SettingsStoreWithoutApplication, ReadsDefaultsAndRefusesWrites)
{
    ASSERT_EQ(platform::AfxGetApp(), nullptr);
    SettingsStore store;
    EXPECT_EQ(store.ReadLogoEditorPath("C:\\W\\pbrush.exe"), "C:\\W\\pbrush.exe");
    EXPECT_EQ(store.ReadPreShutDownRefused(), 0);
    EXPECT_FALSE(store.WriteLastLogoPath("C:\\x.bmp"));
    EXPECT_FALSE(store.WriteAnimDlgPosition(POINT{1, 2}));
}

}  // namespace
