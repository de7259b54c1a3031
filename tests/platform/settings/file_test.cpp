// The settings store: location, typed round trips, case-insensitive names,
// and survival of damaged or unreadable files.

#include "platform/files/FileSystemTestSupport.h"
#include "platform/settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>

namespace {

using fstest::Listing;
using fstest::ReadFile;
using fstest::ScopedEnv;
using fstest::TempDir;
using fstest::WriteFile;

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() : config_("XDG_CONFIG_HOME", folder_.File("config")) {}

    std::string FilePath() const { return folder_.File("config/Lumivane/lumva.conf"); }
    platform::SettingsFile Store() const { return platform::SettingsFile("Lumivane", "lumva"); }

    TempDir folder_;
    ScopedEnv config_;
};

TEST_F(SettingsTest, LivesUnderConfigHomeProductKeyAndAppName)
{
    EXPECT_EQ(Store().FilePath(), FilePath());
    const ScopedEnv unset("XDG_CONFIG_HOME", std::nullopt);
    const ScopedEnv home("HOME", "/home/someone");
    EXPECT_EQ(platform::SettingsFile("Lumivane", "lumva").FilePath(), "/home/someone/.config/Lumivane/lumva.conf");
}

TEST_F(SettingsTest, EmptyStoreGivesDefaultsAndReadsCreateNothing)
{
    const auto store = Store();
    EXPECT_EQ(store.ReadString("LogoEditor", "path", "C:\\WINDOWS\\pbrush.exe"), "C:\\WINDOWS\\pbrush.exe");
    EXPECT_EQ(store.ReadString("LastLogo", "path", ""), "");
    EXPECT_EQ(store.ReadInt("PrShtDwn", "set", 0), 0);
    EXPECT_EQ(store.ReadInt("AnimDlg", "x", -42), -42);
    EXPECT_FALSE(fstest::PathExists(folder_.File("config")));
}

TEST_F(SettingsTest, FirstWriteCreatesFoldersAndReadableText)
{
    auto store = Store();
    EXPECT_TRUE(store.WriteString("LogoEditor", "path", "C:\\WINDOWS\\pbrush.exe"));
    EXPECT_TRUE(store.WriteInt("PrShtDwn", "set", 1));
    EXPECT_EQ(ReadFile(FilePath()), "[LogoEditor]\npath=str:C:\\WINDOWS\\pbrush.exe\n[PrShtDwn]\nset=dword:1\n");
    EXPECT_EQ(Listing(folder_.File("config/Lumivane")), (std::set<std::string>{"lumva.conf"}));
}

struct StringCase {
    const char* name;
    std::string value;
};

class SettingsStringRoundTrip : public SettingsTest, public ::testing::WithParamInterface<StringCase> {};

TEST_P(SettingsStringRoundTrip, ReadsBackExactly)
{
    auto store = Store();
    ASSERT_TRUE(store.WriteString("Keep", "before", "one"));
    ASSERT_TRUE(store.WriteString("LastLogo", "path", GetParam().value));
    ASSERT_TRUE(store.WriteString("Keep", "after", "two"));
    EXPECT_EQ(store.ReadString("LastLogo", "path", "default"), GetParam().value);
    EXPECT_EQ(store.ReadString("Keep", "before", ""), "one");
    EXPECT_EQ(store.ReadString("Keep", "after", ""), "two");
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsStringRoundTrip,
    ::testing::Values(StringCase{"Empty", ""}, StringCase{"WindowsPath", "C:\\WINDOWS\\pbrush.exe"},
                      StringCase{"BackslashN", "C:\\new\\name.bmp"},
                      StringCase{"Newlines", "line one\nline two\r\n[Fake]\nx=str:y"},
                      StringCase{"Percent", "100% sure %41 %"}, StringCase{"EdgeBlanks", "  padded\t "},
                      StringCase{"IniSyntax", "=;#[]"}, StringCase{"TypeTagInside", "dword:12"},
                      StringCase{"EmbeddedNul", std::string("a\0b", 3)}, StringCase{"Utf8", "Gr\xC3\xBC\xC3\x9F" "e"},
                      StringCase{"HighBytes", "\xFF\xFE\x80"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsTest, IntegersRoundTripOverTheWholeRange)
{
    auto store = Store();
    for (const int value : {0, 1, -1, 320, -5000, INT_MAX, INT_MIN}) {
        ASSERT_TRUE(store.WriteInt("AnimDlg", "x", value));
        EXPECT_EQ(store.ReadInt("AnimDlg", "x", 12345), value);
    }
}

TEST_F(SettingsTest, TypesAreKept)
{
    auto store = Store();
    ASSERT_TRUE(store.WriteInt("PrShtDwn", "set", 1));
    ASSERT_TRUE(store.WriteString("LastLogo", "path", "7"));
    EXPECT_EQ(store.ReadString("PrShtDwn", "set", "default"), "default");
    EXPECT_EQ(store.ReadInt("LastLogo", "path", -1), -1);
    // A write of the other type replaces the value and its type.
    ASSERT_TRUE(store.WriteString("PrShtDwn", "set", "now text"));
    EXPECT_EQ(store.ReadString("PrShtDwn", "set", ""), "now text");
    EXPECT_EQ(store.ReadInt("PrShtDwn", "set", -1), -1);
}

TEST_F(SettingsTest, NamesIgnoreCaseAndKeepFirstSpelling)
{
    auto store = Store();
    ASSERT_TRUE(store.WriteString("LogoEditor", "path", "first"));
    ASSERT_TRUE(store.WriteString("LOGOEDITOR", "PATH", "second"));
    ASSERT_TRUE(store.WriteString("logoeditor", "prvPath", "third"));
    EXPECT_EQ(store.ReadString("logoEditor", "Path", ""), "second");
    EXPECT_EQ(store.ReadString("LogoEditor", "prvpath", ""), "third");
    EXPECT_EQ(ReadFile(FilePath()), "[LogoEditor]\npath=str:second\nprvPath=str:third\n");
}

TEST_F(SettingsTest, SeparateStoresSeeEachOthersWrites)
{
    auto writer = Store();
    const auto reader = Store();
    ASSERT_TRUE(writer.WriteInt("AnimDlg", "px", 10));
    EXPECT_EQ(reader.ReadInt("AnimDlg", "px", 0), 10);
    EXPECT_EQ(platform::SettingsFile("Lumivane", "other").ReadInt("AnimDlg", "px", 0), 0);
}

TEST_F(SettingsTest, HandEditsAreReadAndKept)
{
    const std::string text =
        "; my settings\r\n"
        "[LogoEditor]\r\n"
        "  path = str:C:\\WIN\\paint.exe\r\n"
        "# a comment\r\n"
        "\r\n"
        "[AnimDlg]\r\n"
        "x=dword:0x20\r\n"
        "y=dword:4294967295\r\n";
    WriteFile(FilePath(), text);
    auto store = Store();
    EXPECT_EQ(store.ReadString("LogoEditor", "path", ""), "C:\\WIN\\paint.exe");
    EXPECT_EQ(store.ReadInt("AnimDlg", "x", 0), 32);
    EXPECT_EQ(store.ReadInt("AnimDlg", "y", 0), -1);
    ASSERT_TRUE(store.WriteInt("AnimDlg", "px", 5));
    const std::string after = ReadFile(FilePath());
    EXPECT_EQ(after.substr(0, text.size()), text);
    EXPECT_EQ(after.substr(text.size()), "px=dword:5\n");
}

TEST_F(SettingsTest, NewEntryJoinsItsSectionBeforeTheNextHeadersComment)
{
    WriteFile(FilePath(), "[A]\nx=dword:1\n\n; about B\n[B]\ny=dword:2\n");
    auto store = Store();
    ASSERT_TRUE(store.WriteInt("a", "z", 3));
    EXPECT_EQ(ReadFile(FilePath()), "[A]\nx=dword:1\nz=dword:3\n\n; about B\n[B]\ny=dword:2\n");
}

struct CorruptCase {
    const char* name;
    std::string text;
};

class SettingsCorruptFile : public SettingsTest, public ::testing::WithParamInterface<CorruptCase> {};

TEST_P(SettingsCorruptFile, ReadsWhatItCanAndWritesWithoutLosingIt)
{
    const std::string text = "[Keep]\nvalue=dword:7\nname=str:kept\n" + GetParam().text;
    WriteFile(FilePath(), text);
    auto store = Store();
    EXPECT_EQ(store.ReadInt("Keep", "value", 0), 7);
    EXPECT_EQ(store.ReadString("Keep", "name", ""), "kept");
    EXPECT_EQ(store.ReadInt("Broken", "x", -9), -9);
    EXPECT_EQ(store.ReadString("Broken", "x", "default"), "default");

    ASSERT_TRUE(store.WriteInt("PrShtDwn", "set", 1));
    EXPECT_EQ(store.ReadInt("PrShtDwn", "set", 0), 1);
    EXPECT_EQ(store.ReadInt("Keep", "value", 0), 7);
    EXPECT_EQ(store.ReadString("Keep", "name", ""), "kept");
    // Everything that was there is still there, damaged lines included.
    const std::string after = ReadFile(FilePath());
    EXPECT_EQ(after.substr(0, text.size()), text);
}

INSTANTIATE_TEST_SUITE_P(
    Damage, SettingsCorruptFile,
    ::testing::Values(
        CorruptCase{"GarbageBytes", std::string("\x00\xFF\x01[\xFE=\x80\n\x00\x00=\n", 12)},
        CorruptCase{"TruncatedHeader", "[Broken\nx=dword:5\n"},
        CorruptCase{"TruncatedLastLine", "[Broken]\nx=dwo"},
        CorruptCase{"UnknownType", "[Broken]\nx=float:1.5\n"},
        CorruptCase{"BadNumbers", "[Broken]\nx=dword:12abc\nx=dword:99999999999\nx=dword:\nx=dword:-\n"},
        CorruptCase{"NoValue", "[Broken]\nx\n=\n"},
        CorruptCase{"EmptyHeader", "[]\nx=dword:5\n[ ]\nx=dword:6\n"},
        CorruptCase{"StrayEntryAfterDamage", "[Broken\n[]\nx=dword:5\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsTest, WritingFixesADamagedValue)
{
    WriteFile(FilePath(), "[AnimDlg]\nx=dword:oops\n");
    auto store = Store();
    EXPECT_EQ(store.ReadInt("AnimDlg", "x", 3), 3);
    ASSERT_TRUE(store.WriteInt("AnimDlg", "x", 4));
    EXPECT_EQ(ReadFile(FilePath()), "[AnimDlg]\nx=dword:4\n");
}

TEST_F(SettingsTest, FileThatIsAFolderGivesDefaultsAndIsLeftAlone)
{
    std::filesystem::create_directories(FilePath() + "/inside");
    auto store = Store();
    EXPECT_EQ(store.ReadString("LogoEditor", "path", "default"), "default");
    EXPECT_EQ(store.ReadInt("PrShtDwn", "set", 0), 0);
    EXPECT_FALSE(store.WriteInt("PrShtDwn", "set", 1));
    EXPECT_TRUE(fstest::PathExists(FilePath() + "/inside"));
}

TEST_F(SettingsTest, FifoInTheFilesPlaceDoesNotHang)
{
    std::filesystem::create_directories(folder_.File("config/Lumivane"));
    ASSERT_EQ(mkfifo(FilePath().c_str(), 0600), 0);
    auto store = Store();
    EXPECT_EQ(store.ReadInt("PrShtDwn", "set", 5), 5);
    EXPECT_FALSE(store.WriteInt("PrShtDwn", "set", 1));
}

TEST_F(SettingsTest, UnwritableFolderFailsTheWriteOnly)
{
    WriteFile(folder_.File("config"), "a file where the folder should be");
    auto store = Store();
    EXPECT_FALSE(store.WriteString("LogoEditor", "path", "x"));
    EXPECT_EQ(store.ReadString("LogoEditor", "path", "default"), "default");
}

TEST_F(SettingsTest, LinkedFileStaysALink)
{
    const std::string real = folder_.File("dotfiles/lumva.conf");
    WriteFile(real, "[A]\nx=dword:1\n");
    std::filesystem::create_directories(folder_.File("config/Lumivane"));
    std::filesystem::create_symlink(real, FilePath());
    auto store = Store();
    ASSERT_TRUE(store.WriteInt("A", "y", 2));
    EXPECT_TRUE(std::filesystem::is_symlink(FilePath()));
    EXPECT_EQ(ReadFile(real), "[A]\nx=dword:1\ny=dword:2\n");
}

TEST_F(SettingsTest, ManyWritesLeaveNoTemporaryFiles)
{
    auto store = Store();
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(store.WriteInt("AnimDlg", "x", i));
    EXPECT_EQ(Listing(folder_.File("config/Lumivane")), (std::set<std::string>{"lumva.conf"}));
    EXPECT_EQ(store.ReadInt("AnimDlg", "x", -1), 19);
}

TEST_F(SettingsTest, NamesThatCannotFormAFileGiveAnInertStore)
{
    const std::vector<std::pair<std::string, std::string>> names = {
        {"../escape", "lumva"}, {"Lumivane", ""}, {"Lumivane", ".."}, {"Lumivane", "a/b"}};
    for (const auto& [key, app] : names) {
        platform::SettingsFile store(key, app);
        EXPECT_TRUE(store.FilePath().empty()) << key << " " << app;
        EXPECT_FALSE(store.WriteInt("A", "x", 1));
        EXPECT_EQ(store.ReadInt("A", "x", 9), 9);
    }
    auto store = Store();
    EXPECT_FALSE(store.WriteInt("", "x", 1));
    EXPECT_FALSE(store.WriteInt("A", "", 1));
}

}  // namespace
