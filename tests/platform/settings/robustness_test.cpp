// The settings store under load: a huge hand-made file, writers in several
// processes at once, a link to a file not yet there.

#include "platform/files/FileSystemTestSupport.h"
#include "platform/settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

namespace {

// GCC 12 warns (-Wrestrict, falsely) on a literal + std::to_string.
std::string Numbered(const char* prefix, int n)
{
    std::string name(prefix);
    name += std::to_string(n);
    return name;
}

using fstest::ReadFile;
using fstest::ScopedEnv;
using fstest::TempDir;
using fstest::WriteFile;

class SettingsRobustness : public ::testing::Test {
protected:
    SettingsRobustness() : config_("XDG_CONFIG_HOME", folder_.File("config")) {}

    std::string FilePath() const { return folder_.File("config/Lumivane/lumva.conf"); }
    static platform::SettingsFile Store() { return platform::SettingsFile("Lumivane", "lumva"); }

    TempDir folder_;
    ScopedEnv config_;
};

TEST_F(SettingsRobustness, AHugeFileIsParsedOnceNotAtEveryRead)
{
    std::string text = "[LogoEditor]\npath=str:C:\\WINDOWS\\pbrush.exe\n";
    text.append(4 * 1024 * 1024 - text.size() - 64, '\n');
    text += "; the end\n";
    WriteFile(FilePath(), text);

    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(Store().ReadString("LogoEditor", "path", ""), "C:\\WINDOWS\\pbrush.exe");
        ASSERT_EQ(Store().ReadInt("AnimDlg", "x", 7), 7);
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::seconds(5));
}

TEST_F(SettingsRobustness, ReadsSeeEveryChangeOfTheFile)
{
    auto store = Store();
    ASSERT_TRUE(store.WriteInt("A", "x", 1));
    EXPECT_EQ(store.ReadInt("A", "x", 0), 1);
    // A hand edit of the same size, made at once.
    std::string text = ReadFile(FilePath());
    text[text.find('1')] = '2';
    WriteFile(FilePath(), text);
    EXPECT_EQ(store.ReadInt("A", "x", 0), 2);
    std::filesystem::remove(FilePath());
    EXPECT_EQ(store.ReadInt("A", "x", 0), 0);
}

TEST_F(SettingsRobustness, LinesThatAreNotOursSurviveAWriteByteForByte)
{
    const std::string handMade = "; comments\n\n\n#more\n[A]\n  \n[broken\nx=dword:1\n\n; between\n[B]\ny=str:b\n";
    WriteFile(FilePath(), handMade);
    ASSERT_TRUE(Store().WriteInt("B", "z", 3));
    EXPECT_EQ(ReadFile(FilePath()),
              "; comments\n\n\n#more\n[A]\n  \n[broken\nx=dword:1\n\n; between\n[B]\ny=str:b\nz=dword:3\n");
    EXPECT_EQ(Store().ReadInt("A", "x", 0), 0);  // after the damaged header: kept, not read
}

TEST_F(SettingsRobustness, WritersInSeveralProcessesLoseNothing)
{
    ASSERT_TRUE(Store().WriteInt("Start", "here", 1));
    constexpr int kWriters = 3;
    constexpr int kEntries = 25;
    std::vector<pid_t> children;
    for (int writer = 0; writer < kWriters; ++writer) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            bool ok = true;
            for (int i = 0; i < kEntries; ++i)
                ok = Store().WriteInt(Numbered("W", writer), Numbered("e", i), i) && ok;
            _exit(ok ? 0 : 1);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    int missing = 0;
    for (int writer = 0; writer < kWriters; ++writer) {
        for (int i = 0; i < kEntries; ++i)
            missing += Store().ReadInt(Numbered("W", writer), Numbered("e", i), -1) == i ? 0 : 1;
    }
    EXPECT_EQ(missing, 0);
}

TEST_F(SettingsRobustness, LinkToAFileNotYetThereIsWrittenThrough)
{
    std::filesystem::create_directories(folder_.File("config/Lumivane"));
    std::filesystem::create_directories(folder_.File("dotfiles"));
    std::filesystem::create_symlink("../../dotfiles/lumva.conf", FilePath());
    ASSERT_TRUE(Store().WriteInt("A", "x", 5));
    EXPECT_TRUE(std::filesystem::is_symlink(FilePath()));
    EXPECT_EQ(ReadFile(folder_.File("dotfiles/lumva.conf")), "[A]\nx=dword:5\n");
}

}  // namespace
