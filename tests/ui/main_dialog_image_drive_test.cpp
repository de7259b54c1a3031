// The main dialog on drive C: inside a disk image of every kind: each slot
// shown, Browse, Apply, Save Logo to File and Help, with what they leave in
// the image checked by mtools and fsck.fat.

#include "MainDialogFixture.h"
#include "common/FatImages.h"
#include "platform/files/PrivateFolder.h"
#include "platform/ui/WinHelp.h"

#include <unistd.h>

#include <filesystem>

namespace appletui {
namespace {

using platform::testing::ClickControl;

struct ImageKind {
    const char* name;
    bool partitioned;
    const char* format;  // qemu-img format, "" for raw
    const char* options;
    bool throughCopy = false;  // as where FUSE cannot be used
};

class MainDialogOnImage : public MainDialogTest, public ::testing::WithParamInterface<ImageKind> {
protected:
    void SetUp() override
    {
        MainDialogTest::SetUp();
        if (!testing_support::HasImageTools())
            GTEST_SKIP() << "mtools, dosfstools, fdisk or qemu-utils missing";
        WriteSystemLogos();
        WriteFile(Drive() / "WINDOWS" / "HELP" / "LUMVA.HLP", "# Lumivane Help\n\nPick a slot, then Browse.\n");
        const ImageKind& kind = GetParam();
        const std::string raw = (Root() / "disk.img").string();
        ASSERT_TRUE(testing_support::PackFolder(Drive().string(), raw, kind.partitioned));
        image_ = raw;
        if (kind.format[0] != '\0') {
            image_ = (Root() / (std::string("disk.") + kind.format)).string();
            ASSERT_TRUE(testing_support::ConvertImage(raw, image_, kind.format, kind.options));
        }
        offset_ = kind.partitioned ? 2048 * 512 : 0;
        std::filesystem::remove_all(Drive());
        setenv("XDG_CACHE_HOME", (Root() / "cache").c_str(), 1);
        setenv("LUMIVANE_DRIVE_C", image_.c_str(), 1);
        setenv("LUMIVANE_NO_FUSE", kind.throughCopy ? "1" : "", 1);
        platform::SetFileSystem(nullptr);
    }
    void TearDown() override
    {
        unsetenv("LUMIVANE_NO_FUSE");
        unsetenv("XDG_CACHE_HOME");
        MainDialogTest::TearDown();
    }

    // The image as a raw disk, for mtools and fsck.fat of their own.
    std::string RawView() const
    {
        if (GetParam().format[0] == '\0')
            return image_;
        const std::string raw = (Root() / "check.raw").string();
        EXPECT_EQ(testing_support::Shell("rm -f '" + raw + "'; qemu-img convert -O raw '" + image_ + "' '" + raw + "'"), 0);
        return raw;
    }
    // Whether this process has a private folder of that kind under root.
    static bool HasOwnFolder(const std::string& root, const std::string& kind)
    {
        const std::string lead = kind + "-" + std::to_string(getpid()) + "-";
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(root, error)) {
            if (entry.path().filename().string().starts_with(lead))
                return true;
        }
        return false;
    }
    Bytes InImage(const std::string& path) const
    {
        const auto host = platform::ResolveHostPath(path);
        return host ? ReadBytes(*host) : Bytes{};
    }

    std::string image_;
    std::uint64_t offset_ = 0;
};

TEST_P(MainDialogOnImage, ShowBrowseApplySaveAndHelp)
{
    const Bytes chosen = WriteLogo(Picture("sunset.bmp"), 40);
    const Bytes preShutDown = InImage("C:\\WINDOWS\\logow.sys");
    ASSERT_FALSE(preShutDown.empty());
    const std::string saved = (Root() / "saved.bmp").string();
    m_prompts.QueueFileDialogAnswer(Picture("sunset.bmp"));
    m_prompts.QueueFileDialogAnswer(saved);

    std::vector<std::vector<logo::RgbQuad>> shown;
    std::optional<platform::HelpViewerState> viewer;
    Run([&](CMainDlg& d) {
        for (const UINT slot : {res::IDC_STARTUP, res::IDC_PRESHUTDOWN, res::IDC_SHUTDOWN}) {
            ClickControl(d, slot);
            shown.push_back(PreviewTable(d));
        }
        ClickControl(d, res::IDC_BROWSE);
        ClickControl(d, res::IDC_APPLY);
        ClickControl(d, res::IDC_PRESHUTDOWN);
        ClickControl(d, res::IDC_SAVE_LOGO);
        ClickControl(d, res::IDC_HELP);
        viewer = platform::OpenHelpViewer();
        platform::CloseHelpViewer();
    });
    // An image qemu reads went the route asked for.
    const std::string options = GetParam().options;
    if (std::string(GetParam().format) == "qcow2" || options == "static=off" || options == "subformat=dynamic" ||
        options == "subformat=monolithicSparse") {
        EXPECT_TRUE(GetParam().throughCopy ? HasOwnFolder(platform::LargeTemporaryRoot(), "lumivane-copy")
                                           : HasOwnFolder(platform::TemporaryRoot(), "lumivane-view"));
    }

    ASSERT_EQ(shown.size(), 3u);
    for (unsigned i = 0; i < 3; ++i)
        EXPECT_EQ(shown[i], testing_support::MakeVariedLogo(i + 1).colorTable) << "slot " << i;
    EXPECT_TRUE(m_prompts.MessageBoxes().empty());
    EXPECT_EQ(InImage("C:\\WINDOWS\\LOGOS.SYS"), chosen);
    EXPECT_EQ(ReadBytes(saved), preShutDown);
    EXPECT_EQ(platform::GetFileAttributesA(saved), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(viewer);
    EXPECT_EQ(viewer->hostPath.rfind((Root() / "cache").string(), 0), 0u) << viewer->hostPath;

    const std::string raw = RawView();
    for (const char* file : {"::/LOGO.SYS", "::/WINDOWS/LOGOW.SYS", "::/WINDOWS/LOGOS.SYS"})
        EXPECT_EQ(testing_support::MattribLine(raw, offset_, file), "      H ") << file;
    EXPECT_TRUE(testing_support::FsckClean(raw, offset_, 24576 * 1024));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, MainDialogOnImage,
    ::testing::Values(ImageKind{"Superfloppy", false, "", ""}, ImageKind{"RawMbr", true, "", ""},
                      ImageKind{"FixedVhd", true, "vpc", "subformat=fixed"},
                      ImageKind{"StaticVdi", true, "vdi", "static=on"},
                      ImageKind{"FlatVmdk", true, "vmdk", "subformat=monolithicFlat"},
                      ImageKind{"Qcow2", true, "qcow2", "compat=1.1"},
                      ImageKind{"DynamicVdi", true, "vdi", "static=off"},
                      ImageKind{"DynamicVhd", true, "vpc", "subformat=dynamic"},
                      ImageKind{"SparseVmdk", true, "vmdk", "subformat=monolithicSparse"}),
    [](const ::testing::TestParamInfo<ImageKind>& info) { return std::string(info.param.name); });

// The kinds qemu reads, through the raw copy made where FUSE cannot be used.
INSTANTIATE_TEST_SUITE_P(
    ThroughRawCopy, MainDialogOnImage,
    ::testing::Values(ImageKind{"Qcow2", true, "qcow2", "compat=1.1", true},
                      ImageKind{"DynamicVdi", true, "vdi", "static=off", true},
                      ImageKind{"DynamicVhd", true, "vpc", "subformat=dynamic", true},
                      ImageKind{"SparseVmdk", true, "vmdk", "subformat=monolithicSparse", true}),
    [](const ::testing::TestParamInfo<ImageKind>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace appletui
