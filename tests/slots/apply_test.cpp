// Apply on a drive tree: attributes before and after, the "Default" marker,
// failures that keep their pending source, and the exact boot layout.

#include "SlotTestSupport.h"
#include "common/Unprivileged.h"

#include "logo/BmpReader.h"
#include "logo/LogoFile.h"
#include "platform/files/FileApi.h"
#include "slots/ApplyFailureMessage.h"
#include "slots/ApplyLogos.h"
#include "slots/SlotFiles.h"

#include <gtest/gtest.h>

#include <ostream>

#include <unistd.h>

namespace {

using slots_test::Bytes;
using slots_test::DriveC;

class ApplyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        drive.Write("LOGO.SYS", startUp);
        drive.Write("WINDOWS/LOGOW.SYS", preShutDown);
        drive.Write("WINDOWS/LOGOS.SYS", shutDown);
    }

    ApplyOutcome Apply() { return ApplyPendingSources(pending, drive.Locations()); }

    void ExpectExactlyHidden(const std::string& relative)
    {
        const std::string host = drive.Host(relative);
        EXPECT_EQ(platform::GetFileAttributesA(host), FILE_ATTRIBUTE_HIDDEN) << relative;
        EXPECT_NE(slots_test::ModeOf(host) & 0222, 0u) << relative << " lost its write bits";
        if (slots_test::UserXattrsWork(drive.Host(""))) {
            EXPECT_EQ(slots_test::DosAttrib(host), "0x2") << relative;
        }
    }

    DriveC drive;
    const Bytes startUp = slots_test::ExactLogoBytes(1, true, 20);
    const Bytes preShutDown = slots_test::ExactLogoBytes(2, false, 0);
    const Bytes shutDown = slots_test::ExactLogoBytes(3, false, 0);
    PendingSources pending{};
};

TEST_F(ApplyTest, ExactLayoutSourceIsCopiedByteForByteOverTheUpperCaseFile)
{
    const Bytes chosen = slots_test::ExactLogoBytes(9, true, 7);
    drive.Write("pictures/chosen.bmp", chosen);
    PendingFor(pending, LogoSlot::ShutDown) = "C:\\pictures\\chosen.bmp";

    EXPECT_TRUE(Apply().failedTargets.empty());

    EXPECT_EQ(drive.Read("WINDOWS/LOGOS.SYS"), chosen);
    EXPECT_EQ(drive.Read("WINDOWS/LOGOW.SYS"), preShutDown);
    EXPECT_EQ(drive.Read("LOGO.SYS"), startUp);
    // Logos.sys found LOGOS.SYS: no second spelling, no temporary file left.
    EXPECT_EQ(drive.Listing("WINDOWS"), (std::set<std::string>{"SYSTEM", "LOGOW.SYS", "LOGOS.SYS"}));
    EXPECT_EQ(pending, PendingSources{});
}

TEST_F(ApplyTest, HostPathSourceIsAcceptedAndNewFileGetsTheCapitalisedName)
{
    std::filesystem::remove(drive.Host("WINDOWS/LOGOW.SYS"));
    const Bytes chosen = slots_test::ExactLogoBytes(4, false, 0);
    drive.Write("home/chosen.bmp", chosen);
    PendingFor(pending, LogoSlot::PreShutDown) = drive.Host("home/chosen.bmp");

    EXPECT_TRUE(Apply().failedTargets.empty());

    EXPECT_EQ(drive.Read("WINDOWS/Logow.sys"), chosen);
    ExpectExactlyHidden("WINDOWS/Logow.sys");
}

TEST_F(ApplyTest, EveryFileEndsExactlyHiddenWhateverItCarriedBefore)
{
    const std::string windows = "C:\\WINDOWS\\";
    platform::SetFileAttributesA("C:\\LOGO.SYS",
                                 FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    platform::SetFileAttributesA(windows + "LOGOW.SYS", FILE_ATTRIBUTE_READONLY);
    platform::SetFileAttributesA(windows + "LOGOS.SYS", FILE_ATTRIBUTE_SYSTEM);
    // The source is read-only, hidden and system too: the copy carries that,
    // and Apply must still leave only hidden.
    const Bytes chosen = slots_test::ExactLogoBytes(5, true, 3);
    drive.Write("pictures/chosen.bmp", chosen);
    platform::SetFileAttributesA("C:\\pictures\\chosen.bmp",
                                 FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    PendingFor(pending, LogoSlot::StartUp) = "C:\\pictures\\chosen.bmp";

    EXPECT_TRUE(Apply().failedTargets.empty());

    EXPECT_EQ(drive.Read("LOGO.SYS"), chosen);
    ExpectExactlyHidden("LOGO.SYS");
    ExpectExactlyHidden("WINDOWS/LOGOW.SYS");
    ExpectExactlyHidden("WINDOWS/LOGOS.SYS");
}

TEST_F(ApplyTest, DefaultDeletesTheStartUpFileAndSurvives)
{
    PendingFor(pending, LogoSlot::StartUp) = "Default";
    platform::SetFileAttributesA("C:\\LOGO.SYS", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);

    EXPECT_TRUE(Apply().failedTargets.empty());

    EXPECT_FALSE(drive.Exists("LOGO.SYS"));
    EXPECT_EQ(PendingFor(pending, LogoSlot::StartUp), "Default");
    // Nothing pending for the others: content kept, attributes reset.
    EXPECT_EQ(drive.Read("WINDOWS/LOGOW.SYS"), preShutDown);
    EXPECT_EQ(drive.Read("WINDOWS/LOGOS.SYS"), shutDown);
    ExpectExactlyHidden("WINDOWS/LOGOW.SYS");
    ExpectExactlyHidden("WINDOWS/LOGOS.SYS");

    // The next Apply deletes again; a file already gone is not a failure.
    EXPECT_TRUE(Apply().failedTargets.empty());
    EXPECT_EQ(PendingFor(pending, LogoSlot::StartUp), "Default");
}

TEST_F(ApplyTest, MarkerIsCaseSensitive)
{
    drive.Write("default", slots_test::ExactLogoBytes(6, false, 0));
    PendingFor(pending, LogoSlot::StartUp) = "C:\\default";

    EXPECT_TRUE(Apply().failedTargets.empty());

    EXPECT_EQ(drive.Read("LOGO.SYS"), drive.Read("default"));
    EXPECT_EQ(PendingFor(pending, LogoSlot::StartUp), "");
}

TEST_F(ApplyTest, MissingSourceFailsAndKeepsItsPendingSource)
{
    const Bytes chosen = slots_test::ExactLogoBytes(7, false, 0);
    drive.Write("pictures/good.bmp", chosen);
    PendingFor(pending, LogoSlot::PreShutDown) = "C:\\pictures\\good.bmp";
    PendingFor(pending, LogoSlot::ShutDown) = "C:\\pictures\\vanished.bmp";

    const ApplyOutcome outcome = Apply();

    EXPECT_EQ(outcome.failedTargets, std::vector<std::string>{"C:\\WINDOWS\\Logos.sys"});
    EXPECT_EQ(PendingFor(pending, LogoSlot::ShutDown), "C:\\pictures\\vanished.bmp");
    EXPECT_EQ(drive.Read("WINDOWS/LOGOS.SYS"), shutDown);
    ExpectExactlyHidden("WINDOWS/LOGOS.SYS");
    // The other slot was applied as usual.
    EXPECT_EQ(PendingFor(pending, LogoSlot::PreShutDown), "");
    EXPECT_EQ(drive.Read("WINDOWS/LOGOW.SYS"), chosen);
}

TEST_F(ApplyTest, TargetThatCannotBeReplacedIsReported)
{
    // A folder where the file should be: neither a copy nor a rewrite can
    // replace it, and neither leaves a temporary file behind.
    std::filesystem::remove(drive.Host("WINDOWS/LOGOW.SYS"));
    std::filesystem::create_directory(drive.Host("WINDOWS/LOGOW.SYS"));
    std::filesystem::remove(drive.Host("WINDOWS/LOGOS.SYS"));
    std::filesystem::create_directory(drive.Host("WINDOWS/LOGOS.SYS"));
    drive.Write("pictures/exact.bmp", slots_test::ExactLogoBytes(8, false, 0));
    drive.Write("pictures/topdown.bmp", slots_test::WindowsVariant(256, true, 0).file);
    PendingFor(pending, LogoSlot::PreShutDown) = "C:\\pictures\\exact.bmp";
    PendingFor(pending, LogoSlot::ShutDown) = "C:\\pictures\\topdown.bmp";

    const ApplyOutcome outcome = Apply();

    EXPECT_EQ(outcome.failedTargets,
              (std::vector<std::string>{"C:\\WINDOWS\\Logow.sys", "C:\\WINDOWS\\Logos.sys"}));
    EXPECT_EQ(PendingFor(pending, LogoSlot::PreShutDown), "C:\\pictures\\exact.bmp");
    EXPECT_EQ(PendingFor(pending, LogoSlot::ShutDown), "C:\\pictures\\topdown.bmp");
    EXPECT_EQ(drive.Listing("WINDOWS"), (std::set<std::string>{"SYSTEM", "LOGOW.SYS", "LOGOS.SYS"}));
}

TEST_F(ApplyTest, StartUpFileThatCannotBeDeletedIsReported)
{
    std::filesystem::remove(drive.Host("LOGO.SYS"));
    std::filesystem::create_directory(drive.Host("LOGO.SYS"));
    PendingFor(pending, LogoSlot::StartUp) = "Default";

    const ApplyOutcome outcome = Apply();

    EXPECT_EQ(outcome.failedTargets, std::vector<std::string>{"C:\\Logo.sys"});
    EXPECT_EQ(PendingFor(pending, LogoSlot::StartUp), "Default");
}

TEST_F(ApplyTest, ReadOnlyWindowsFolderIsReported)
{
    drive.Write("pictures/chosen.bmp", slots_test::ExactLogoBytes(10, false, 0));
    PendingFor(pending, LogoSlot::ShutDown) = "C:\\pictures\\chosen.bmp";
    ApplyOutcome outcome;
    {
        const testing_support::Unprivileged user(drive.Host(""));
        if (!user.Active())
            GTEST_SKIP() << user.Why();
        chmod(drive.Host("WINDOWS").c_str(), 0555);
        outcome = Apply();
        chmod(drive.Host("WINDOWS").c_str(), 0755);
    }
    EXPECT_EQ(outcome.failedTargets, std::vector<std::string>{"C:\\WINDOWS\\Logos.sys"});
    EXPECT_EQ(drive.Read("WINDOWS/LOGOS.SYS"), shutDown);
}

TEST_F(ApplyTest, WindowsFolderOnAnUnmappedDriveFailsEverySlotCleanly)
{
    const SystemLocations elsewhere = NormaliseLocations("D:\\WINDOWS", "D:\\WINDOWS\\SYSTEM");
    drive.Write("pictures/chosen.bmp", slots_test::ExactLogoBytes(11, false, 0));
    pending = {"Default", "C:\\pictures\\chosen.bmp", "C:\\pictures\\chosen.bmp"};

    const ApplyOutcome outcome = ApplyPendingSources(pending, elsewhere);

    // Nothing can be there to delete, so only the two copies fail.
    EXPECT_EQ(outcome.failedTargets,
              (std::vector<std::string>{"D:\\WINDOWS\\Logow.sys", "D:\\WINDOWS\\Logos.sys"}));
    EXPECT_EQ(pending, (PendingSources{"Default", "C:\\pictures\\chosen.bmp", "C:\\pictures\\chosen.bmp"}));
}

TEST_F(ApplyTest, SystemFileChosenAsItsOwnSourceIsNotAFailure)
{
    PendingFor(pending, LogoSlot::PreShutDown) = "C:\\WINDOWS\\logow.sys";

    EXPECT_TRUE(Apply().failedTargets.empty());

    EXPECT_EQ(drive.Read("WINDOWS/LOGOW.SYS"), preShutDown);
    EXPECT_EQ(PendingFor(pending, LogoSlot::PreShutDown), "");
}

// Sources that IsLogoFile accepts but the system cannot show at boot.
struct VariantCase {
    const char* name;
    slots_test::VariantLogo (*make)();
    bool animated;
    std::uint8_t marker;  // expected byte at offset 50 of the result
};

void PrintTo(const VariantCase& c, std::ostream* os)
{
    *os << c.name;
}


class ApplyConversionTest : public ApplyTest, public ::testing::WithParamInterface<VariantCase> {};

TEST_P(ApplyConversionTest, WrittenInTheExactLayoutWithSamePixelsAndColours)
{
    const VariantCase& c = GetParam();
    const slots_test::VariantLogo source = c.make();
    drive.Write("pictures/variant.bmp", source.file);
    ASSERT_TRUE(logo::IsLogoFile(drive.Host("pictures/variant.bmp")));
    ASSERT_FALSE(logo::HasExactLogoLayout(drive.Host("pictures/variant.bmp")));
    platform::SetFileAttributesA("C:\\LOGO.SYS", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
    PendingFor(pending, LogoSlot::StartUp) = "C:\\pictures\\variant.bmp";

    EXPECT_TRUE(Apply().failedTargets.empty());

    const std::string target = drive.Host("LOGO.SYS");
    EXPECT_TRUE(logo::HasExactLogoLayout(target));
    const logo::LoadResult written = logo::LoadBmpFile(target);
    ASSERT_TRUE(written);
    EXPECT_EQ(written.picture->pixels, source.pixels);
    EXPECT_TRUE(std::equal(source.table.begin(), source.table.end(), written.picture->colorTable.begin()));
    std::uint8_t count = 0;
    EXPECT_EQ(logo::ReadAnimationCount(target, count), c.animated);
    EXPECT_EQ(drive.Read("LOGO.SYS").at(logo::kAnimationMarkerOffset), c.marker);
    ExpectExactlyHidden("LOGO.SYS");
    EXPECT_EQ(drive.Listing(""), (std::set<std::string>{"LOGO.SYS", "WINDOWS", "pictures"}));
    EXPECT_EQ(drive.Read("pictures/variant.bmp"), source.file);
}

INSTANTIATE_TEST_SUITE_P(
    BmpVariants, ApplyConversionTest,
    ::testing::Values(
        VariantCase{"TopDownAnimated", [] { return slots_test::WindowsVariant(256, true, 0xF0); }, true, 0xF0},
        VariantCase{"ShortTableOf16Entries", [] { return slots_test::WindowsVariant(16, false, 0); }, false, 0},
        VariantCase{"ShortTableAnimated", [] { return slots_test::WindowsVariant(16, false, 0xFC); }, true, 0xFC},
        VariantCase{"Os2CoreHeaderStaysStatic", [] { return slots_test::Os2Variant(); }, false, 0}),
    [](const ::testing::TestParamInfo<VariantCase>& info) { return std::string(info.param.name); });

// Only a 320 x 400 x 8 picture is rewritten; any other file is copied as it
// is, as a default picture of another size or depth must be.
TEST_F(ApplyTest, SourceThatIsNotA320By400By8PictureIsCopiedByteForByte)
{
    const Bytes fourBits =
        testing_support::MakeBmp(320, 400, 4, slots_test::PatternTable(16), slots_test::PatternPixels(16));
    const Bytes largeDefault = testing_support::MakeBmp(64, 48, 24, {}, Bytes(64 * 48 * 3, 0x7F));
    const Bytes text{'h', 'e', 'l', 'l', 'o'};
    drive.Write("pictures/four.bmp", fourBits);
    drive.Write("program files/plus!/themes/lumivane/default/shtdwn.dat", largeDefault);
    drive.Write("pictures/text.bmp", text);
    PendingFor(pending, LogoSlot::StartUp) = "C:\\pictures\\text.bmp";
    PendingFor(pending, LogoSlot::PreShutDown) = "C:\\pictures\\four.bmp";
    PendingFor(pending, LogoSlot::ShutDown) = "C:\\program files\\plus!\\themes\\lumivane\\default\\shtdwn.dat";

    EXPECT_TRUE(Apply().failedTargets.empty());

    EXPECT_EQ(drive.Read("LOGO.SYS"), text);
    EXPECT_EQ(drive.Read("WINDOWS/LOGOW.SYS"), fourBits);
    EXPECT_EQ(drive.Read("WINDOWS/LOGOS.SYS"), largeDefault);
    EXPECT_EQ(pending, (PendingSources{"", "", ""}));

    // A second Apply has nothing left to report either.
    EXPECT_TRUE(Apply().failedTargets.empty());
}

TEST_F(ApplyTest, TargetLinkedElsewhereIsReplacedThroughTheLink)
{
    const Bytes chosen = slots_test::ExactLogoBytes(14, false, 0);
    drive.Write("pictures/chosen.bmp", chosen);
    drive.Write("real/logos.sys", shutDown);
    std::filesystem::remove(drive.Host("WINDOWS/LOGOS.SYS"));
    std::filesystem::create_symlink("../real/logos.sys", drive.Host("WINDOWS/LOGOS.SYS"));
    PendingFor(pending, LogoSlot::ShutDown) = "C:\\pictures\\chosen.bmp";

    EXPECT_TRUE(Apply().failedTargets.empty());

    EXPECT_TRUE(std::filesystem::is_symlink(drive.Host("WINDOWS/LOGOS.SYS")));
    EXPECT_EQ(drive.Read("real/logos.sys"), chosen);
}

TEST_F(ApplyTest, ExactLayoutKeepsItsAnimationByte)
{
    const Bytes animated = slots_test::ExactLogoBytes(12, true, 40);
    drive.Write("pictures/animated.sys", animated);
    PendingFor(pending, LogoSlot::StartUp) = "C:\\PICTURES\\ANIMATED.SYS";

    EXPECT_TRUE(Apply().failedTargets.empty());

    EXPECT_EQ(drive.Read("LOGO.SYS"), animated);
    std::uint8_t count = 0;
    EXPECT_TRUE(logo::ReadAnimationCount(drive.Host("LOGO.SYS"), count));
    EXPECT_EQ(count, 40);
}

TEST(ApplyFailureMessage, OneLinePerFailedTarget)
{
    EXPECT_EQ(ApplyFailureMessage("Heading:", ApplyOutcome{}), "");
    EXPECT_EQ(ApplyFailureMessage("Heading:", ApplyOutcome{{"C:\\Logo.sys", "C:\\WINDOWS\\Logos.sys"}}),
              "Heading:\nC:\\Logo.sys\nC:\\WINDOWS\\Logos.sys");
}

}  // namespace
