// lumivane as the Control Panel: the messages it sends a module, the layout
// it hands over before loading it, and how it reports a module or a drive
// it cannot use. Each case runs the real executable.

#include "HostProcess.h"
#include "common/TempDir.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using host_test::HostRun;
using host_test::ReadLines;
using host_test::RunLumivane;
using testing_support::TempDir;

class HostLifecycle : public testing::Test {
protected:
    void SetUp() override { fs::create_directories(m_drive.Path() / "WINDOWS"); }

    // The scripted module on a drive of our own.
    HostRun Run(std::vector<std::string> arguments, std::map<std::string, std::string> environment = {})
    {
        environment.emplace("LUMIVANE_TEST_RECORD", Record().string());
        environment.emplace("XDG_DATA_HOME", (m_home.Path() / "data").string());
        environment.emplace("XDG_CONFIG_HOME", (m_home.Path() / "config").string());
        environment.emplace("QT_QPA_PLATFORM", "offscreen");
        return RunLumivane(arguments, environment);
    }
    std::string DriveOption() const { return "C:=" + m_drive.Path().string(); }
    fs::path Record() const { return m_home.Path() / "record.txt"; }
    std::vector<std::string> Recorded() const { return ReadLines(Record()); }
    std::vector<std::string> RecordedMessages() const
    {
        std::vector<std::string> messages;
        for (const std::string& line : Recorded())
            if (line.starts_with("CPL_"))
                messages.push_back(line);
        return messages;
    }
    bool RecordedLine(const std::string& line) const
    {
        const auto lines = Recorded();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    TempDir m_drive;
    TempDir m_home;
};

TEST_F(HostLifecycle, SendsTheControlPanelMessagesInOrder)
{
    const HostRun run = Run({"--drive", DriveOption(), TEST_APPLET});
    EXPECT_EQ(run.status, 0) << run.err;
    // lParam2 of DBLCLK and STOP is the lData the item gave in CPL_INQUIRE.
    const std::vector<std::string> expected = {"CPL_INIT 0 0", "CPL_GETCOUNT 0 0", "CPL_INQUIRE 0 record",
                                               "CPL_DBLCLK 0 77", "CPL_STOP 0 77", "CPL_EXIT 0 0"};
    EXPECT_EQ(RecordedMessages(), expected);
    const auto lines = Recorded();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "load");
    EXPECT_EQ(lines.back(), "unload");
}

TEST_F(HostLifecycle, AsksEveryItemAndStopsEveryItem)
{
    const HostRun run = Run({"--drive", DriveOption(), TEST_APPLET}, {{"LUMIVANE_TEST_COUNT", "3"}});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> expected = {"CPL_INIT 0 0",    "CPL_GETCOUNT 0 0", "CPL_INQUIRE 0 record",
                                               "CPL_INQUIRE 1 record", "CPL_INQUIRE 2 record", "CPL_DBLCLK 0 77",
                                               "CPL_STOP 0 77",   "CPL_STOP 1 77",    "CPL_STOP 2 77",
                                               "CPL_EXIT 0 0"};
    EXPECT_EQ(RecordedMessages(), expected);
}

TEST_F(HostLifecycle, ModuleWithoutItemsIsReportedAndReleased)
{
    const HostRun run = Run({"--drive", DriveOption(), TEST_APPLET}, {{"LUMIVANE_TEST_COUNT", "0"}});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("offers no Control Panel item"), std::string::npos) << run.err;
    const std::vector<std::string> expected = {"CPL_INIT 0 0", "CPL_GETCOUNT 0 0", "CPL_EXIT 0 0"};
    EXPECT_EQ(RecordedMessages(), expected);
}

TEST_F(HostLifecycle, RefusedInitIsReportedAndNothingElseIsSent)
{
    const HostRun run = Run({"--drive", DriveOption(), TEST_APPLET}, {{"LUMIVANE_TEST_INIT_ANSWER", "0"}});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("refused to start"), std::string::npos) << run.err;
    EXPECT_EQ(RecordedMessages(), std::vector<std::string>{"CPL_INIT 0 0"});
    EXPECT_EQ(Recorded().back(), "unload");
}

TEST_F(HostLifecycle, HandsTheGivenLayoutOverBeforeLoading)
{
    TempDir driveD;
    const HostRun run = Run({"--drive", DriveOption(), "--drive", "d:=" + driveD.Path().string(), "--windows-dir",
                             "C:\\windows\\", "--system-dir", "C:\\windows\\system32", TEST_APPLET},
                            {{"LUMIVANE_DRIVE_Q", "/inherited"}});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(RecordedLine("env LUMIVANE_DRIVE_C=" + m_drive.Path().string()));
    EXPECT_TRUE(RecordedLine("env LUMIVANE_DRIVE_D=" + driveD.Path().string()));
    EXPECT_TRUE(RecordedLine("env LUMIVANE_WINDOWS_DIR=C:\\windows"));
    EXPECT_TRUE(RecordedLine("env LUMIVANE_SYSTEM_DIR=C:\\windows\\system32"));
    // The module sees exactly the host's table, nothing inherited.
    EXPECT_FALSE(RecordedLine("env LUMIVANE_DRIVE_Q=/inherited"));
}

TEST_F(HostLifecycle, RelativeDriveFolderIsHandedOverAbsolute)
{
    const fs::path relative = fs::relative(m_drive.Path(), fs::current_path());
    const HostRun run = Run({"--drive", "C:=" + relative.string(), TEST_APPLET});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(RecordedLine("env LUMIVANE_DRIVE_C=" + m_drive.Path().string()));
}

TEST_F(HostLifecycle, WithoutDrivesTheSampleDriveAndDefaultFoldersAreHandedOver)
{
    const HostRun run = Run({TEST_APPLET});
    EXPECT_EQ(run.status, 0) << run.err;
    const fs::path sample = m_home.Path() / "data" / "lumivane" / "drive_c";
    EXPECT_TRUE(fs::is_directory(sample / "WINDOWS"));
    EXPECT_TRUE(RecordedLine("env LUMIVANE_DRIVE_C=" + sample.string()));
    EXPECT_TRUE(RecordedLine("env LUMIVANE_WINDOWS_DIR=C:\\WINDOWS"));
    EXPECT_TRUE(RecordedLine("env LUMIVANE_SYSTEM_DIR=C:\\WINDOWS\\SYSTEM"));
}

struct FailureCase {
    const char* name;
    std::vector<std::string> arguments;  // "@DRIVE" is replaced by the test's drive folder
    int status;
    const char* errorMentions;
};

// Test names in ctest show the case, not its bytes.
void PrintTo(const FailureCase& value, std::ostream* out)
{
    *out << value.name;
}

class HostLifecycleFailure : public HostLifecycle, public testing::WithParamInterface<FailureCase> {};

TEST_P(HostLifecycleFailure, IsReportedClearlyWithoutRunningAnything)
{
    std::vector<std::string> arguments = GetParam().arguments;
    for (std::string& argument : arguments)
        if (const std::size_t at = argument.find("@DRIVE"); at != std::string::npos)
            argument.replace(at, 6, m_drive.Path().string());
    const HostRun run = Run(arguments);
    EXPECT_EQ(run.status, GetParam().status);
    EXPECT_NE(run.err.find(GetParam().errorMentions), std::string::npos) << run.err;
    EXPECT_TRUE(RecordedMessages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostLifecycleFailure,
    testing::Values(
        FailureCase{"MissingModule", {"--drive", "C:=@DRIVE", "/nonexistent/lumva.cpl"}, 1, "No such file"},
        FailureCase{"NotASharedObject", {"--drive", "C:=@DRIVE", "@DRIVE/WINDOWS"}, 1, "cannot load"},
        FailureCase{"ModuleWithoutEntry", {"--drive", "C:=@DRIVE", TEST_NO_ENTRY_MODULE}, 1, "no CPlApplet entry"},
        FailureCase{"MissingDriveFolder", {"--drive", "C:=@DRIVE/missing", TEST_APPLET}, 1, "does not exist"},
        FailureCase{"DriveFolderIsAFile", {"--drive", "C:=/dev/null", TEST_APPLET}, 1, "is not a folder"},
        FailureCase{"WindowsDirOnUnmappedDrive",
                    {"--drive", "C:=@DRIVE", "--windows-dir", "E:\\WINDOWS", TEST_APPLET}, 1, "not mapped"},
        FailureCase{"SystemDirOnUnmappedDrive", {"--system-dir", "F:\\SYS", TEST_APPLET}, 1, "not mapped"},
        FailureCase{"BadOption", {"--bogus", TEST_APPLET}, 2, "usage: lumivane"},
        FailureCase{"BadDriveForm", {"--drive", "C:@DRIVE", TEST_APPLET}, 2, "X:=DIR"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HostLifecycle, HelpGoesToStandardOutput)
{
    const HostRun run = Run({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("usage: lumivane"), std::string::npos);
    EXPECT_TRUE(run.err.empty());
}

TEST_F(HostLifecycle, WithoutAnyDisplayItSaysSoInsteadOfAborting)
{
    const HostRun run = Run({"--drive", DriveOption(), TEST_APPLET},
                            {{"QT_QPA_PLATFORM", host_test::kUnset},
                             {"DISPLAY", host_test::kUnset},
                             {"WAYLAND_DISPLAY", host_test::kUnset}});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no display"), std::string::npos) << run.err;
    EXPECT_TRUE(RecordedMessages().empty());
}

TEST_F(HostLifecycle, ScreenshotSavesTheDialogAndClosesIt)
{
    const fs::path png = m_home.Path() / "shot.png";
    const HostRun run = Run({"--drive", DriveOption(), "--screenshot", png.string(), TEST_DIALOG_APPLET});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(png.string()), std::string::npos) << run.out;
    const QImage image(QString::fromStdString(png.string()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(600, 388));
    EXPECT_EQ(QColor(image.pixel(300, 194)), QColor(0, 128, 128));
    // Closed as the Close button closes it: the dialog was rejected.
    EXPECT_TRUE(RecordedLine("dialog 0"));
    EXPECT_EQ(RecordedMessages().back(), "CPL_EXIT 0 0");
}

TEST_F(HostLifecycle, ScreenshotOfAModuleThatShowsNoDialogFails)
{
    const fs::path png = m_home.Path() / "shot.png";
    const HostRun run = Run({"--drive", DriveOption(), "--screenshot", png.string(), TEST_APPLET});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no screenshot"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(png));
    EXPECT_EQ(RecordedMessages().back(), "CPL_EXIT 0 0");
}

}  // namespace
