// The help viewer: shows the help file, reuses its window, and reports a
// missing or unreadable file through the prompts.

#include "common/TempDir.h"
#include "platform/files/DriveTable.h"
#include "platform/files/FileSystem.h"
#include "platform/files/HostDriveFileSystem.h"
#include "platform/testing/ScriptedPrompts.h"
#include "platform/ui/WinHelp.h"
#include "platform/qt/ModalWidgetWatcher.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

using services_test::WhenModalOpens;

namespace {

constexpr const char* kHelpText =
    "# Lumivane Help\n"
    "\n"
    "Choose a slot, then **Browse** for a picture.\n"
    "\n"
    "- StartUp\n"
    "- Shut Down\n";

int CountViewers()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowTitle() == QLatin1String("Lumivane Help"))
            ++count;
    }
    return count;
}

class HelpViewerTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(Root() / "WINDOWS" / "Help");
        Write(Root() / "WINDOWS" / "Help" / "LUMVA.HLP", kHelpText);
        platform::DriveTable drives;
        drives.Map('C', Root().string());
        platform::SetFileSystem(std::make_unique<platform::HostDriveFileSystem>(drives));
        platform::SetPrompts(&m_prompts);
    }
    void TearDown() override
    {
        platform::CloseHelpViewer();
        platform::SetPrompts(nullptr);
        platform::SetFileSystem(nullptr);
    }

    static void Write(const std::filesystem::path& path, const std::string& text) { std::ofstream(path) << text; }
    std::filesystem::path Root() const { return m_dir.Path(); }

    testing_support::TempDir m_dir;
    platform::ScriptedPrompts m_prompts;
};

TEST_F(HelpViewerTest, ShowsTheHelpFileFoundThroughItsWindowsPath)
{
    EXPECT_EQ(platform::WinHelpA(nullptr, "C:\\WINDOWS\\help\\lumva.hlp", HELP_FORCEFILE, 0), TRUE);
    const auto viewer = platform::OpenHelpViewer();
    ASSERT_TRUE(viewer);
    EXPECT_EQ(viewer->title, "Lumivane Help");
    EXPECT_TRUE(viewer->visible);
    EXPECT_EQ(viewer->hostPath, (Root() / "WINDOWS" / "Help" / "LUMVA.HLP").string());
    // Markup is rendered, not shown.
    EXPECT_NE(viewer->text.find("Lumivane Help"), std::string::npos);
    EXPECT_NE(viewer->text.find("Choose a slot, then Browse for a picture."), std::string::npos);
    EXPECT_EQ(viewer->text.find('#'), std::string::npos);
    EXPECT_EQ(viewer->text.find("**"), std::string::npos);
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());
}

TEST_F(HelpViewerTest, OpeningAgainReusesTheWindow)
{
    Write(Root() / "other.hlp", "# Second file\n");
    platform::WinHelpA(nullptr, "C:\\WINDOWS\\HELP\\LUMVA.HLP", HELP_FORCEFILE, 0);
    platform::WinHelpA(nullptr, (Root() / "other.hlp").string(), HELP_FORCEFILE, 0);  // a host path
    EXPECT_EQ(CountViewers(), 1);
    const auto viewer = platform::OpenHelpViewer();
    ASSERT_TRUE(viewer);
    EXPECT_NE(viewer->text.find("Second file"), std::string::npos);
}

TEST_F(HelpViewerTest, AMissingFileIsReportedAndNothingOpens)
{
    EXPECT_EQ(platform::WinHelpA(nullptr, "C:\\WINDOWS\\help\\gone.hlp", HELP_FORCEFILE, 0), FALSE);
    EXPECT_FALSE(platform::OpenHelpViewer());
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 1u);
    const auto& box = m_prompts.MessageBoxes()[0];
    EXPECT_EQ(box.request.caption, "Help");
    EXPECT_NE(box.request.text.find("C:\\WINDOWS\\help\\gone.hlp"), std::string::npos);
    EXPECT_EQ(box.request.owner, nullptr);
    EXPECT_EQ(box.style.buttons, platform::MessageBoxButtons::Ok);
    EXPECT_EQ(box.style.icon, platform::MessageBoxIcon::Exclamation);
}

TEST_F(HelpViewerTest, AMissingFileLeavesAnOpenViewerAsItWas)
{
    platform::WinHelpA(nullptr, "C:\\WINDOWS\\help\\lumva.hlp", HELP_FORCEFILE, 0);
    platform::WinHelpA(nullptr, "C:\\WINDOWS\\help\\gone.hlp", HELP_FORCEFILE, 0);
    const auto viewer = platform::OpenHelpViewer();
    ASSERT_TRUE(viewer);
    EXPECT_NE(viewer->text.find("Choose a slot"), std::string::npos);
    EXPECT_EQ(m_prompts.MessageBoxes().size(), 1u);
}

TEST_F(HelpViewerTest, UnreadableOrUnmappablePathsAreReported)
{
    EXPECT_EQ(platform::WinHelpA(nullptr, "C:\\WINDOWS\\help", HELP_FORCEFILE, 0), FALSE);  // a folder
    EXPECT_EQ(platform::WinHelpA(nullptr, "Q:\\nowhere.hlp", HELP_FORCEFILE, 0), FALSE);   // no such drive
    EXPECT_EQ(platform::WinHelpA(nullptr, "", HELP_FORCEFILE, 0), FALSE);
    EXPECT_EQ(m_prompts.MessageBoxes().size(), 3u);
    EXPECT_FALSE(platform::OpenHelpViewer());
}

TEST_F(HelpViewerTest, QuitClosesTheViewerAndUnknownCommandsDoNothing)
{
    platform::WinHelpA(nullptr, "C:\\WINDOWS\\help\\lumva.hlp", platform::HELP_CONTENTS, 0);
    ASSERT_TRUE(platform::OpenHelpViewer());
    EXPECT_EQ(platform::WinHelpA(nullptr, "", platform::HELP_QUIT, 0), TRUE);
    EXPECT_FALSE(platform::OpenHelpViewer());
    EXPECT_EQ(platform::WinHelpA(nullptr, "C:\\WINDOWS\\help\\lumva.hlp", 0x0101, 0), FALSE);
    EXPECT_FALSE(platform::OpenHelpViewer());
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());
}

TEST_F(HelpViewerTest, ClosingTheWindowForgetsIt)
{
    platform::WinHelpA(nullptr, "C:\\WINDOWS\\help\\lumva.hlp", HELP_FORCEFILE, 0);
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowTitle() == QLatin1String("Lumivane Help"))
            widget->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(platform::OpenHelpViewer());
}

TEST_F(HelpViewerTest, EscapeClosesTheViewerWhereverTheFocusIs)
{
    platform::WinHelpA(nullptr, "C:\\WINDOWS\\help\\lumva.hlp", HELP_FORCEFILE, 0);
    QWidget* viewer = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowTitle() == QLatin1String("Lumivane Help"))
            viewer = widget;
    }
    ASSERT_NE(viewer, nullptr);
    // The key goes where a user's would: to the text, which passes it on.
    QWidget* text = viewer->findChild<QTextBrowser*>();
    ASSERT_NE(text, nullptr);
    QTest::keyClick(text, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(platform::OpenHelpViewer());
}

TEST_F(HelpViewerTest, UnderAModalDialogTheViewerGoesWithThatDialog)
{
    QDialog mainDialog;
    QWidget* viewerParent = nullptr;
    WhenModalOpens([&](QWidget* modal) {
        platform::WinHelpA(nullptr, "C:\\WINDOWS\\help\\lumva.hlp", HELP_FORCEFILE, 0);
        for (QWidget* widget : QApplication::allWidgets()) {
            if (widget->isWindow() && widget->windowTitle() == QLatin1String("Lumivane Help"))
                viewerParent = widget->parentWidget();
        }
        platform::CloseHelpViewer();
        modal->close();
    });
    mainDialog.exec();
    EXPECT_EQ(viewerParent, &mainDialog);
}

}  // namespace
