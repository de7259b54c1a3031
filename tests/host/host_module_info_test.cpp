// What the host reads from a module's own file: --module-info's report and
// the item's name, description and icon, from a module carrying the
// applet's real resource section.

#include "host/AppletIcon.h"
#include "HostProcess.h"
#include "common/TempDir.h"
#include "host/ModuleFileInfo.h"
#include "resources/VersionInfo.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

using host_test::HostRun;
using host_test::RunLumivane;

TEST(HostModuleInfo, PrintsEveryVersionFieldNameAndDescription)
{
    const HostRun run = RunLumivane({"--module-info", TEST_APPLET}, {{"LUMIVANE_TEST_RECORD", "/dev/null"}});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Name:             Lumivane\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Description:      Change the windows startup & shutdown screens\n"), std::string::npos);
    for (const res::VersionField& field : res::VersionFields()) {
        const std::string line = std::string(field.key) + ":" + std::string(17 - field.key.size(), ' ') +
                                 std::string(field.value);
        EXPECT_NE(run.out.find(line), std::string::npos) << "missing: " << line << "\n" << run.out;
    }
    EXPECT_NE(run.out.find("VFT_DLL (dynamic library)"), std::string::npos);
    EXPECT_NE(run.out.find("VOS__WINDOWS32 (32-bit Windows)"), std::string::npos);
}

TEST(HostModuleInfo, ListsTheStringFieldsInTheVersionTablesOrder)
{
    const HostRun run = RunLumivane({"--module-info", TEST_APPLET});
    std::size_t previous = 0;
    for (const std::string& key : host::kVersionStringKeys) {
        const std::size_t at = run.out.find("\n" + key + ":");
        ASSERT_NE(at, std::string::npos) << key;
        EXPECT_GT(at, previous) << key;
        previous = at;
    }
}

TEST(HostModuleInfo, DoesNotRunTheModule)
{
    testing_support::TempDir folder;
    const auto record = folder.Path() / "record.txt";
    const HostRun run = RunLumivane({"--module-info", TEST_APPLET}, {{"LUMIVANE_TEST_RECORD", record.string()}});
    EXPECT_EQ(run.status, 0);
    EXPECT_FALSE(std::filesystem::exists(record));
}

struct UnreadableModule {
    const char* name;
    const char* path;
    const char* errorMentions;
};

// Test names in ctest show the case, not its bytes.
void PrintTo(const UnreadableModule& value, std::ostream* out)
{
    *out << value.name;
}

class HostModuleInfoRefuses : public testing::TestWithParam<UnreadableModule> {};

TEST_P(HostModuleInfoRefuses, WithAReason)
{
    const HostRun run = RunLumivane({"--module-info", GetParam().path});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(GetParam().errorMentions), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Modules, HostModuleInfoRefuses,
                         testing::Values(UnreadableModule{"Missing", "/nonexistent.cpl", "no such file"},
                                         UnreadableModule{"Folder", "/tmp", "not a file"},
                                         UnreadableModule{"NoResourceSection", TEST_NO_ENTRY_MODULE,
                                                          "carries no resource section"},
                                         UnreadableModule{"NotAnElfFile", "/etc/hostname",
                                                          "carries no resource section"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HostModuleFileInfo, FindsTheItemsStringsAndIconByTheirIds)
{
    std::string error;
    const auto info = host::ModuleFileInfo::Read(TEST_APPLET, error);
    ASSERT_TRUE(info) << error;
    EXPECT_EQ(info->String(1), "Lumivane");
    EXPECT_EQ(info->String(2), "Change the windows startup & shutdown screens");
    EXPECT_FALSE(info->String(0xFFFF));
    EXPECT_FALSE(info->String(-1));
    EXPECT_TRUE(info->Icon(999).empty());
    const std::vector<std::uint8_t> ico = info->Icon(1000);
    ASSERT_FALSE(ico.empty());
    for (int size : {16, 32, 48}) {
        const QImage image = host::IcoImage(ico, size);
        EXPECT_EQ(image.size(), QSize(size, size)) << size;
    }
    EXPECT_TRUE(host::IcoImage(ico, 64).isNull());
    EXPECT_EQ(host::IconFromIco(ico).availableSizes().size(), 3);
}

TEST(HostModuleFileInfo, IconChoosesTheDeepestImageOfASize)
{
    std::string error;
    const auto info = host::ModuleFileInfo::Read(TEST_APPLET, error);
    ASSERT_TRUE(info) << error;
    const QImage image = host::IcoImage(info->Icon(1000), 48);
    // A 16-colour image cannot hold more than 16 colours (plus transparency).
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 17);
}

TEST(HostModuleFileInfo, MalformedIconBytesDecodeToNothing)
{
    const std::vector<std::uint8_t> junk = {0, 0, 1, 0, 200, 0, 1, 2, 3};
    EXPECT_TRUE(host::IcoImage(junk, 16).isNull());
    EXPECT_TRUE(host::IconFromIco(junk).isNull());
    EXPECT_TRUE(host::IconFromIco({}).isNull());
}

}  // namespace
