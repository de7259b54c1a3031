#include "layering/IncludeLayers.h"

#include "common/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string Describe(const std::vector<layering::Violation>& violations)
{
    std::ostringstream out;
    for (const layering::Violation& v : violations)
        out << v.file << ":" << v.line << ": " << v.include << ": " << v.reason << "\n";
    return out.str();
}

void WriteSource(const std::filesystem::path& root, const std::string& file, const std::string& text)
{
    std::filesystem::create_directories((root / file).parent_path());
    std::ofstream(root / file) << text;
}

}  // namespace

TEST(Layering, TheSourceTreeKeepsToTheTable)
{
    const std::vector<layering::Violation> violations = layering::CheckTree(LUMIVANE_SOURCE_ROOT);
    EXPECT_TRUE(violations.empty()) << Describe(violations);
}

TEST(Layering, AnIncludeUpOrSidewaysIsReported)
{
    testing_support::TempDir src;
    WriteSource(src.Path(), "logo/Picture.h", "#pragma once\n");
    WriteSource(src.Path(), "platform/files/FileApi.h", "#pragma once\n#include \"logo/Picture.h\"\n");
    WriteSource(src.Path(), "logo/Upward.cpp", "#include \"logo/Picture.h\"\n#include \"platform/files/FileApi.h\"\n");
    WriteSource(src.Path(), "ui/anim/Sideways.cpp", "#include \"slots/LogoSlot.h\"\n");
    WriteSource(src.Path(), "applet/SettingsStore.cpp", "#include \"ui/main/CMainDlg.h\"\n");

    const std::vector<layering::Violation> violations = layering::CheckTree(src.Path());
    ASSERT_EQ(violations.size(), 3u) << Describe(violations);
    EXPECT_EQ(violations[0].file, "applet/SettingsStore.cpp");
    EXPECT_EQ(violations[0].reason, "applet settings store may not include ui/main");
    EXPECT_EQ(violations[1].file, "logo/Upward.cpp");
    EXPECT_EQ(violations[1].line, 2);
    EXPECT_EQ(violations[1].include, "platform/files/FileApi.h");
    EXPECT_EQ(violations[2].reason, "ui/anim may not include slots");
}

TEST(Layering, QtOnlyInItsImplementationAndTheHost)
{
    testing_support::TempDir src;
    WriteSource(src.Path(), "platform/qt/Widget.cpp", "#include <QWidget>\n");
    WriteSource(src.Path(), "host/main.cpp", "#include <QApplication>\n");
    WriteSource(src.Path(), "platform/ui/CWnd.h", "#include <QWidget>\n");
    WriteSource(src.Path(), "ui/main/CMainDlg.cpp", "#include <QtCore/QString>\n#include <vector>\n");
    WriteSource(src.Path(), "platform/testing/Hooks.cpp", "#include <QTimer>\n");

    const std::vector<layering::Violation> violations = layering::CheckTree(src.Path());
    ASSERT_EQ(violations.size(), 3u) << Describe(violations);
    EXPECT_EQ(violations[0].reason, "platform/testing may not include Qt");
    EXPECT_EQ(violations[1].reason, "platform/ui may not include Qt");
    EXPECT_EQ(violations[2].reason, "ui/main may not include Qt");
}

TEST(Layering, FilesNoLayerClaimsAndRelativeIncludesAreReported)
{
    testing_support::TempDir src;
    WriteSource(src.Path(), "gadgets/Thing.cpp", "\n");
    WriteSource(src.Path(), "logo/Picture.cpp", "#include \"Picture.h\"\n");

    const std::vector<layering::Violation> violations = layering::CheckTree(src.Path());
    ASSERT_EQ(violations.size(), 2u) << Describe(violations);
    EXPECT_EQ(violations[0].reason, "no layer claims this file");
    EXPECT_EQ(violations[1].reason, "not a path from src/ that a layer claims");
}

TEST(Layering, TheSettingsStoreIsALayerOfItsOwnInsideApplet)
{
    EXPECT_EQ(layering::LayerOf("applet/SettingsStore.h"), "applet settings store");
    EXPECT_EQ(layering::LayerOf("applet/CPlApplet.cpp"), "applet entry");
    EXPECT_TRUE(layering::MayInclude("ui/main", "applet settings store"));
    EXPECT_FALSE(layering::MayInclude("ui/main", "applet entry"));
    EXPECT_FALSE(layering::MayInclude("host", "platform/testing"));
}
