// Animate Logo from the main dialog: the editor opens on the selected slot's
// effective file at its own size, with the main dialog minimised meanwhile,
// and the StartUp preview cycles again afterwards.

#include "MainDialogFixture.h"

namespace appletui {
namespace {

using platform::testing::ActiveTimers;
using platform::testing::ClickControl;

struct EditorSeen {
    bool opened = false;
    bool mainMinimised = false;
    std::uint8_t count = 0;
    std::vector<std::uint8_t> pixels;
    std::int32_t width = 0;
};

// Runs `drive` with a hook that records what the editor was handed and
// closes it unchanged.
class AnimateLogoTest : public MainDialogTest {
public:
    EditorSeen RunWithEditor(const std::function<void(CMainDlg&)>& drive)
    {
        EditorSeen seen;
        platform::testing::ScopedModalHook editorHook(res::IDD_ANIM, [&](platform::CDialog& editor) {
            seen.opened = true;
            // Where nothing could restore it (Wayland) it is hidden instead.
            seen.mainMinimised = platform::testing::OnWayland() ? m_dialog.IsWindowVisible() == FALSE
                                                                : m_dialog.IsIconic() != FALSE;
            CAnimDlg& anim = m_dialog.AnimDlg();
            seen.count = anim.m_animCount;
            if (anim.m_picture != nullptr) {
                seen.pixels = anim.m_picture->pixels;
                seen.width = anim.m_picture->width;
            }
            editor.EndDialog(IDCANCEL);
        });
        Run(drive);
        return seen;
    }
};

TEST_F(AnimateLogoTest, PendingPreShutDownFileIsEditedNotTheSystemFile)
{
    WriteSystemLogos();
    WriteLogo(Picture("dusk.bmp"), 77, 30);
    m_prompts.QueueFileDialogAnswer(Picture("dusk.bmp"));
    bool normalAfter = false;
    std::vector<UINT_PTR> timersAfter{99};
    const EditorSeen seen = RunWithEditor([&](CMainDlg& d) {
        ClickControl(d, res::IDC_PRESHUTDOWN);
        ClickControl(d, res::IDC_BROWSE);
        ClickControl(d, res::IDC_ANIMATE_LOGO);
        normalAfter = d.IsIconic() == FALSE && d.IsWindowVisible() != FALSE;
        timersAfter = ActiveTimers(d);
    });
    ASSERT_TRUE(seen.opened);
    EXPECT_TRUE(seen.mainMinimised);
    EXPECT_EQ(seen.width, 320);  // at its own size, not the preview's
    EXPECT_EQ(seen.pixels, testing_support::MakeVariedLogo(77).pixels);
    EXPECT_EQ(seen.count, 30);
    EXPECT_TRUE(normalAfter);
    EXPECT_TRUE(timersAfter.empty());  // only StartUp cycles in the preview
}

TEST_F(AnimateLogoTest, StartUpPreviewCyclesAgainAfterTheEditorCloses)
{
    WriteLogo(StartUpFile(), 4, 21);
    std::vector<UINT_PTR> timersAfter;
    const EditorSeen seen = RunWithEditor([&](CMainDlg& d) {
        ClickControl(d, res::IDC_ANIMATE_LOGO);
        timersAfter = ActiveTimers(d);
    });
    ASSERT_TRUE(seen.opened);
    EXPECT_EQ(seen.count, 21);
    EXPECT_EQ(timersAfter, (std::vector<UINT_PTR>{1}));
}

TEST_F(AnimateLogoTest, FileRemovedBehindTheDialogsBackIsReportedAndNoEditorOpens)
{
    WriteLogo(StartUpFile(), 6, 21);
    bool minimisedAfter = true;
    std::vector<UINT_PTR> timersAfter;
    const EditorSeen seen = RunWithEditor([&](CMainDlg& d) {
        std::filesystem::remove(StartUpFile());
        ClickControl(d, res::IDC_ANIMATE_LOGO);
        minimisedAfter = d.IsIconic() != FALSE;
        timersAfter = ActiveTimers(d);
    });
    EXPECT_FALSE(seen.opened);
    EXPECT_FALSE(minimisedAfter);
    EXPECT_EQ(MessagesShown(), (std::vector<Shown>{CannotDisplay()}));
    EXPECT_EQ(timersAfter, (std::vector<UINT_PTR>{1}));
}

}  // namespace
}  // namespace appletui
