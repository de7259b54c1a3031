// DOS attributes on a host file system: hidden and system in the
// user.DOSATTRIB extended attribute (Wine's format), read-only as the write
// permission bits.

#include "platform/files/FileSystemTestSupport.h"
#include "platform/files/DosAttributes.h"
#include "platform/files/FileApi.h"

#include <gtest/gtest.h>

namespace {

using fstest::DosAttrib;
using fstest::InstalledDrive;
using fstest::ModeOf;
using fstest::WriteFile;

constexpr DWORD kAllThree = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

class AttributeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!fstest::UserXattrsWork(drive_.Folder().Path()))
            GTEST_SKIP() << "user extended attributes are not supported in " << drive_.Folder().Path();
        WriteFile(drive_.Host("LOGO.SYS"), "logo");
    }
    InstalledDrive drive_;
};

struct AttributeCase {
    const char* name;
    DWORD set;
    DWORD expected;
    const char* xattr;  // nullptr: no attribute at all
    bool writable;
};

class AttributeRoundTrip : public AttributeTest, public ::testing::WithParamInterface<AttributeCase> {};

TEST_P(AttributeRoundTrip, ReplacesWholeSetFromAnyStart)
{
    const auto& c = GetParam();
    for (const DWORD start : {DWORD{FILE_ATTRIBUTE_NORMAL}, kAllThree}) {
        ASSERT_TRUE(platform::SetFileAttributesA("C:\\Logo.sys", start));
        EXPECT_TRUE(platform::SetFileAttributesA("C:\\logo.sys", c.set));
        EXPECT_EQ(platform::GetFileAttributesA("C:\\LOGO.SYS"), c.expected) << "from " << start;
        const auto stored = DosAttrib(drive_.Host("LOGO.SYS"));
        if (c.xattr == nullptr)
            EXPECT_FALSE(stored.has_value()) << *stored;
        else
            EXPECT_EQ(stored, std::string(c.xattr));
        EXPECT_EQ((ModeOf(drive_.Host("LOGO.SYS")) & 0222) != 0, c.writable);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sets, AttributeRoundTrip,
    ::testing::Values(
        AttributeCase{"Normal", FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_NORMAL, nullptr, true},
        AttributeCase{"Zero", 0, FILE_ATTRIBUTE_NORMAL, nullptr, true},
        AttributeCase{"Hidden", FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_HIDDEN, "0x2", true},
        AttributeCase{"System", FILE_ATTRIBUTE_SYSTEM, FILE_ATTRIBUTE_SYSTEM, "0x4", true},
        AttributeCase{"HiddenSystem", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM,
                      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, "0x6", true},
        AttributeCase{"ReadOnly", FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_READONLY, nullptr, false},
        AttributeCase{"AllThree", kAllThree, kAllThree, "0x6", false},
        AttributeCase{"ArchiveIgnored", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_HIDDEN,
                      "0x2", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AttributeTest, ClearingReadOnlyRestoresOwnerWrite)
{
    chmod(drive_.Host("LOGO.SYS").c_str(), 0444);
    EXPECT_EQ(platform::GetFileAttributesA("C:\\logo.sys"), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(platform::SetFileAttributesA("C:\\logo.sys", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(ModeOf(drive_.Host("LOGO.SYS")), mode_t{0644});
    EXPECT_TRUE(platform::SetFileAttributesA("C:\\logo.sys", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(ModeOf(drive_.Host("LOGO.SYS")), mode_t{0444});
}

TEST_F(AttributeTest, OtherWritePermissionBitsStayWhenNotReadOnly)
{
    chmod(drive_.Host("LOGO.SYS").c_str(), 0664);
    EXPECT_TRUE(platform::SetFileAttributesA("C:\\logo.sys", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(ModeOf(drive_.Host("LOGO.SYS")), mode_t{0664});
}

TEST_F(AttributeTest, ReadsWhatOtherWritersStored)
{
    const std::string host = drive_.Host("LOGO.SYS");
    struct Stored {
        std::string bytes;
        DWORD expected;
    };
    const Stored cases[] = {
        {"0x6", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
        {"0X2", FILE_ATTRIBUTE_HIDDEN},
        {std::string("0x22\0\x01\x02junk", 10), FILE_ATTRIBUTE_HIDDEN},  // archive bit and binary tail
        {"0x1", FILE_ATTRIBUTE_NORMAL},                                 // read-only comes from the mode only
        {"hello", FILE_ATTRIBUTE_NORMAL},
        {"0x", FILE_ATTRIBUTE_NORMAL},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(setxattr(host.c_str(), "user.DOSATTRIB", c.bytes.data(), c.bytes.size(), 0), 0);
        EXPECT_EQ(platform::GetFileAttributesA("C:\\logo.sys"), c.expected) << c.bytes;
    }
}

TEST_F(AttributeTest, MissingFile)
{
    EXPECT_EQ(platform::GetFileAttributesA("C:\\missing.sys"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(platform::GetFileAttributesA("C:\\NOFOLDER\\missing.sys"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(platform::GetFileAttributesA("Q:\\unmapped.sys"), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(platform::SetFileAttributesA("C:\\missing.sys", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(fstest::PathExists(drive_.Host("missing.sys")));
}

TEST_F(AttributeTest, FoldersCanBeHiddenButNotReadOnly)
{
    std::filesystem::create_directories(drive_.Host("WINDOWS"));
    EXPECT_EQ(platform::GetFileAttributesA("C:\\windows"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(platform::SetFileAttributesA("C:\\windows", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(platform::GetFileAttributesA("C:\\windows"), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_NE(ModeOf(drive_.Host("WINDOWS")) & S_IWUSR, 0u);
    EXPECT_EQ(platform::GetFileAttributesA("C:\\"), FILE_ATTRIBUTE_DIRECTORY);
}

TEST(DosAttributeText, ParsesWineFormat)
{
    EXPECT_EQ(platform::ParseDosAttributeText("0x2"), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(platform::ParseDosAttributeText("0x6"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(platform::ParseDosAttributeText("0xffffffffff"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(platform::ParseDosAttributeText("2"), 0u);
    EXPECT_EQ(platform::ParseDosAttributeText(""), 0u);
}

}  // namespace
