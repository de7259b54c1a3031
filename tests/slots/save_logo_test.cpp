// Save Logo to File: a plain visible copy, refused onto its own source.

#include "SlotTestSupport.h"

#include "platform/files/FileApi.h"
#include "slots/SaveLogo.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using slots_test::Bytes;

class SaveLogoTest : public ::testing::Test {
protected:
    void SetUp() override { drive.Write("WINDOWS/LOGOW.SYS", content); }

    slots_test::DriveC drive;
    const Bytes content = slots_test::ExactLogoBytes(21, true, 9);
};

TEST_F(SaveLogoTest, CopiesByteForByteAsAnOrdinaryFile)
{
    platform::SetFileAttributesA("C:\\WINDOWS\\logow.sys", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM
                                                               | FILE_ATTRIBUTE_READONLY);
    const std::string target = drive.Host("saved.bmp");

    ASSERT_TRUE(SaveLogoToFile("C:\\WINDOWS\\logow.sys", target));

    EXPECT_EQ(testing_support::ReadAll(target), content);
    EXPECT_EQ(platform::GetFileAttributesA(target), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(slots_test::DosAttrib(target), std::nullopt);
    EXPECT_NE(slots_test::ModeOf(target) & 0200, 0u);
}

TEST_F(SaveLogoTest, OverwritesAnExistingFile)
{
    drive.Write("saved.bmp", Bytes{1, 2, 3});

    ASSERT_TRUE(SaveLogoToFile("C:\\WINDOWS\\logow.sys", drive.Host("saved.bmp")));

    EXPECT_EQ(drive.Read("saved.bmp"), content);
}

struct SelfCase {
    const char* name;
    const char* source;
    const char* targetRelative;
};

void PrintTo(const SelfCase& c, std::ostream* os)
{
    *os << c.name;
}


class SaveOntoItselfTest : public SaveLogoTest, public ::testing::WithParamInterface<SelfCase> {};

TEST_P(SaveOntoItselfTest, IsRefusedAndLeavesTheFile)
{
    EXPECT_FALSE(SaveLogoToFile(GetParam().source, drive.Host(GetParam().targetRelative)));
    EXPECT_EQ(drive.Read("WINDOWS/LOGOW.SYS"), content);
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, SaveOntoItselfTest,
    ::testing::Values(SelfCase{"SameSpelling", "C:\\WINDOWS\\LOGOW.SYS", "WINDOWS/LOGOW.SYS"},
                      SelfCase{"LowerCaseSource", "C:\\WINDOWS\\logow.sys", "WINDOWS/LOGOW.SYS"},
                      SelfCase{"MixedCaseSource", "c:\\windows\\LoGoW.sys", "WINDOWS/LOGOW.SYS"}),
    [](const ::testing::TestParamInfo<SelfCase>& info) { return std::string(info.param.name); });

TEST_F(SaveLogoTest, WindowsSpelledTargetOntoItselfIsRefused)
{
    EXPECT_FALSE(SaveLogoToFile(drive.Host("WINDOWS/LOGOW.SYS"), "C:\\Windows\\Logow.sys"));
    EXPECT_EQ(drive.Read("WINDOWS/LOGOW.SYS"), content);
}

TEST_F(SaveLogoTest, MissingSourceFailsAndCreatesNothing)
{
    EXPECT_FALSE(SaveLogoToFile("C:\\WINDOWS\\logos.sys", drive.Host("saved.bmp")));
    EXPECT_FALSE(drive.Exists("saved.bmp"));
}

TEST_F(SaveLogoTest, ReadOnlyTargetIsRefused)
{
    drive.Write("saved.bmp", Bytes{1, 2, 3});
    platform::SetFileAttributesA(drive.Host("saved.bmp"), FILE_ATTRIBUTE_READONLY);

    EXPECT_FALSE(SaveLogoToFile("C:\\WINDOWS\\logow.sys", drive.Host("saved.bmp")));

    EXPECT_EQ(drive.Read("saved.bmp"), (Bytes{1, 2, 3}));
}

}  // namespace
