// WinExec's stand-in: programs start without a shell, with one argument,
// failures to start are reported at once, and no child is left a zombie.

#include "platform/files/FileSystemTestSupport.h"
#include "platform/launch/WinExec.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <chrono>
#include <thread>

namespace {

using fstest::InstalledDrive;
using fstest::ReadFile;
using fstest::WriteFile;

void WriteProgram(const std::string& path, const std::string& content, mode_t mode = 0755)
{
    WriteFile(path, content);
    chmod(path.c_str(), mode);
}

// A program that records its argument count, its arguments, what its stdin
// is, its pid and its process group, one per line.
std::string RecordingScript(const std::string& outputPath)
{
    return "#!/bin/sh\n"
           "out='" + outputPath + "'\n"
           "printf '%s\\n' \"$#\" \"$@\" > \"$out.part\"\n"
           "readlink /proc/$$/fd/0 >> \"$out.part\"\n"
           "set -- $(sed 's/.*) //' /proc/$$/stat)\n"
           "printf '%s\\n%s\\n' \"$$\" \"$3\" >> \"$out.part\"\n"
           "mv \"$out.part\" \"$out\"\n";
}

std::vector<std::string> WaitForLines(const std::string& path)
{
    for (int i = 0; i < 500 && !fstest::PathExists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(path));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Children of this process that are zombies, from /proc.
int ZombieChildren()
{
    int zombies = 0;
    DIR* proc = opendir("/proc");
    if (proc == nullptr)
        return 0;
    const std::string self = std::to_string(getpid());
    while (const dirent* entry = readdir(proc)) {
        if (entry->d_name[0] < '0' || entry->d_name[0] > '9')
            continue;
        const std::string stat = ReadFile(std::string("/proc/") + entry->d_name + "/stat");
        const auto close = stat.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream fields(stat.substr(close + 2));
        std::string state;
        std::string parent;
        fields >> state >> parent;
        if (parent == self && state == "Z")
            ++zombies;
    }
    closedir(proc);
    return zombies;
}

class WinExecTest : public ::testing::Test {
protected:
    InstalledDrive drive_;
};

TEST_F(WinExecTest, ProgramWithBlanksGetsTheResolvedTemplateAsItsOnlyArgument)
{
    const std::string output = drive_.Host("record.txt");
    WriteProgram(drive_.Host("my tools/edit tool.sh"), RecordingScript(output));
    WriteFile(drive_.Host("WINDOWS/SYSTEM/NEW.TPL"), "template");

    const UINT result =
        platform::WinExec(drive_.Host("my tools/edit tool.sh"), "C:\\WINDOWS\\SYSTEM\\New.tpl", SW_SHOWNORMAL);
    EXPECT_GT(result, 31u);
    const auto lines = WaitForLines(output);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[1], drive_.Host("WINDOWS/SYSTEM/NEW.TPL"));
    EXPECT_EQ(lines[2], "/dev/null");
    EXPECT_EQ(lines[3], lines[4]) << "runs in a process group of its own";
}

TEST_F(WinExecTest, WindowsProgramPathAndArgumentWithBlanks)
{
    const std::string output = drive_.Host("record.txt");
    WriteProgram(drive_.Host("TOOLS/EDIT TOOL.SH"), RecordingScript(output));
    const UINT result = platform::WinExec("C:\\tools\\Edit Tool.sh", "C:\\My Pictures\\new logo.bmp", SW_SHOWNORMAL);
    EXPECT_GT(result, 31u);
    const auto lines = WaitForLines(output);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[1], drive_.Host("My Pictures/new logo.bmp"));
}

TEST_F(WinExecTest, EmptyArgumentPassesNone)
{
    const std::string output = drive_.Host("record.txt");
    WriteProgram(drive_.Host("edit.sh"), RecordingScript(output));
    EXPECT_GT(platform::WinExec("C:\\edit.sh", "", SW_SHOWNORMAL), 31u);
    const auto lines = WaitForLines(output);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "0");
}

TEST_F(WinExecTest, BareNameIsLookedUpInPath)
{
    const std::string output = drive_.Host("record.txt");
    WriteProgram(drive_.Host("bin/myeditor"), RecordingScript(output));
    const fstest::ScopedEnv path("PATH", "/nonexistent:" + drive_.Host("bin") + ":/usr/bin:/bin");
    EXPECT_GT(platform::WinExec("myeditor", "C:\\x.bmp", SW_SHOWNORMAL), 31u);
    EXPECT_FALSE(WaitForLines(output).empty());
    EXPECT_EQ(platform::WinExec("no-such-editor-anywhere", "", SW_SHOWNORMAL), platform::ERROR_FILE_NOT_FOUND);
}

// The smallest file that reads as a Windows program: "MZ", e_lfanew at
// 0x3C, and "PE\0\0" where it points.
std::string PeProgram(std::uint32_t newHeaderOffset = 0x40)
{
    std::string bytes(newHeaderOffset + 24, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    for (int i = 0; i < 4; ++i)
        bytes[0x3C + static_cast<std::size_t>(i)] = static_cast<char>(newHeaderOffset >> (8 * i));
    bytes.replace(newHeaderOffset, 4, std::string("PE\0\0", 4));
    return bytes;
}

TEST_F(WinExecTest, WindowsProgramRunsUnderWineWithTheProgramThenTheArgument)
{
    const std::string output = drive_.Host("record.txt");
    WriteProgram(drive_.Host("wine-bin/wine"), RecordingScript(output));
    // Files on a Windows drive need no execute permission.
    WriteProgram(drive_.Host("WINDOWS/PBRUSH.EXE"), PeProgram(), 0644);
    WriteFile(drive_.Host("WINDOWS/SYSTEM/NEW.TPL"), "template");
    const fstest::ScopedEnv path("PATH", drive_.Host("wine-bin") + ":/usr/bin:/bin");
    EXPECT_GT(platform::WinExec("C:\\WINDOWS\\pbrush.exe", "C:\\WINDOWS\\SYSTEM\\New.tpl", SW_SHOWNORMAL), 31u);
    const auto lines = WaitForLines(output);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "2");
    EXPECT_EQ(lines[1], drive_.Host("WINDOWS/PBRUSH.EXE"));
    EXPECT_EQ(lines[2], drive_.Host("WINDOWS/SYSTEM/NEW.TPL"));
}

TEST_F(WinExecTest, WindowsProgramWithoutWineIsNotAProgram)
{
    std::filesystem::create_directories(drive_.Host("empty-bin"));
    WriteProgram(drive_.Host("WINDOWS/PBRUSH.EXE"), PeProgram(0x80));
    const fstest::ScopedEnv path("PATH", drive_.Host("empty-bin"));
    EXPECT_EQ(platform::WinExec("C:\\WINDOWS\\pbrush.exe", "", SW_SHOWNORMAL), platform::ERROR_BAD_FORMAT);
}

TEST_F(WinExecTest, MzWithoutThePeSignatureIsNoWindowsProgram)
{
    const std::string wineRecord = drive_.Host("wine-record.txt");
    WriteProgram(drive_.Host("wine-bin/wine"), RecordingScript(wineRecord));
    std::string dosOnly = PeProgram();
    dosOnly[0x41] = 'X';  // "PX\0\0"
    WriteProgram(drive_.Host("OLD.EXE"), dosOnly);
    std::string pastTheEnd = PeProgram();
    pastTheEnd[0x3D] = 0x7F;  // e_lfanew beyond the file
    WriteProgram(drive_.Host("CUT.EXE"), pastTheEnd);
    const fstest::ScopedEnv path("PATH", drive_.Host("wine-bin") + ":/usr/bin:/bin");
    EXPECT_EQ(platform::WinExec("C:\\old.exe", "", SW_SHOWNORMAL), platform::ERROR_BAD_FORMAT);
    EXPECT_EQ(platform::WinExec("C:\\cut.exe", "", SW_SHOWNORMAL), platform::ERROR_BAD_FORMAT);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(fstest::PathExists(wineRecord));
}

struct FailureCase {
    const char* name;
    const char* program;  // Windows path on the test drive
    UINT expected;
};

class WinExecFailure : public WinExecTest, public ::testing::WithParamInterface<FailureCase> {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(drive_.Host("TOOLS/FOLDER.EXE"));
        WriteProgram(drive_.Host("TOOLS/NOEXEC.SH"), "#!/bin/sh\nexit 0\n", 0644);
        std::string noise(512, '\0');
        for (std::size_t i = 0; i < noise.size(); ++i)
            noise[i] = static_cast<char>((i * 37 + 11) % 251 + 1);
        WriteProgram(drive_.Host("TOOLS/PBRUSH.EXE"), noise);
        WriteProgram(drive_.Host("TOOLS/BADSHEBANG.SH"), "#!/no/such/interpreter\n");
    }
};

TEST_P(WinExecFailure, ReportsAtOnceWithSmallCode)
{
    const auto start = std::chrono::steady_clock::now();
    const UINT result = platform::WinExec(GetParam().program, "C:\\WINDOWS\\SYSTEM\\New.tpl", SW_SHOWNORMAL);
    EXPECT_LE(result, 31u);
    EXPECT_EQ(result, GetParam().expected);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WinExecFailure,
    ::testing::Values(
        FailureCase{"MissingFile", "C:\\TOOLS\\missing.exe", platform::ERROR_FILE_NOT_FOUND},
        FailureCase{"MissingFolder", "C:\\NOWHERE\\missing.exe", platform::ERROR_PATH_NOT_FOUND},
        FailureCase{"Folder", "C:\\tools\\folder.exe", platform::ERROR_ACCESS_DENIED},
        FailureCase{"NotExecutable", "C:\\tools\\noexec.sh", platform::ERROR_ACCESS_DENIED},
        FailureCase{"NotAProgram", "C:\\tools\\pbrush.exe", platform::ERROR_BAD_FORMAT},
        FailureCase{"MissingInterpreter", "C:\\tools\\badshebang.sh", platform::ERROR_FILE_NOT_FOUND},
        FailureCase{"UnmappedDrive", "Q:\\pbrush.exe", platform::ERROR_PATH_NOT_FOUND},
        FailureCase{"EscapingPath", "C:\\..\\bin\\sh", platform::ERROR_PATH_NOT_FOUND},
        FailureCase{"Empty", "", platform::ERROR_FILE_NOT_FOUND}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WinExecTest, LeavesNoZombies)
{
    WriteProgram(drive_.Host("quick.sh"), "#!/bin/sh\nexit 3\n");
    WriteProgram(drive_.Host("plain.txt"), "not a program", 0644);
    for (int i = 0; i < 5; ++i) {
        EXPECT_GT(platform::WinExec("C:\\quick.sh", "C:\\x", SW_SHOWNORMAL), 31u);
        EXPECT_LE(platform::WinExec("C:\\plain.txt", "", SW_SHOWNORMAL), 31u);
        EXPECT_LE(platform::WinExec("C:\\missing", "", SW_SHOWNORMAL), 31u);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(ZombieChildren(), 0);
}

}  // namespace
