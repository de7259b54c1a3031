// Opening the editor from the main dialog's side: the file is loaded at its
// own size, its count handed over, the owner minimised and restored; a file
// that is gone or is no logo gets its message and no editor.

#include "AnimEditorFixture.h"
#include "common/BmpBuilder.h"
#include "common/TestFiles.h"
#include "logo/LogoFile.h"
#include "platform/files/LogoFileWriter.h"
#include "resources/DialogTemplates.h"
#include "ui/anim/AnimateLogo.h"

#include <QGuiApplication>

#include <iostream>

namespace animtest {
namespace {

using platform::testing::ScopedModalHook;

class AnimLaunch : public AnimEditorTest {
protected:
    // Runs Animate Logo from inside a modal owner window, as the main
    // dialog runs it; the body drives the editor if one opens.
    AnimateLogoOutcome Launch(const std::string& path, const Body& body)
    {
        platform::CDialog owner(res::AboutDialogTemplate());
        AnimateLogoOutcome outcome = AnimateLogoOutcome::EditorRan;
        ScopedModalHook editorHook(res::IDD_ANIM, [&](platform::CDialog& dialog) {
            auto& editor = static_cast<CAnimDlg&>(dialog);
            m_ownerIconicDuringEditor = owner.IsIconic() != FALSE;
            m_ownerVisibleDuringEditor = owner.IsWindowVisible() != FALSE;
            m_previewOwner = platform::testing::OwnerOf(editor.m_preview);
            m_editorOwner = platform::testing::OwnerOf(editor);
            m_previewAboveEditor = platform::testing::ShownAsChildOf(editor.m_preview, editor);
            body(editor);
            if (editor.IsWindow() && editor.IsWindowVisible())
                editor.EndDialog(IDCANCEL);
        });
        ScopedModalHook ownerHook(res::IDD_ABOUT, [&](platform::CDialog& dialog) {
            m_ownerHwnd = dialog.GetSafeHwnd();
            outcome = RunAnimationEditor(dialog, m_editor, path, m_count);
            m_ownerIconicAfter = dialog.IsIconic() != FALSE;
            m_ownerVisibleAfter = dialog.IsWindowVisible() != FALSE;
            dialog.EndDialog(IDCANCEL);
        });
        owner.DoModal();
        return outcome;
    }

    void WriteLogo(const std::filesystem::path& path, bool animated, std::uint8_t count)
    {
        std::filesystem::create_directories(path.parent_path());
        ASSERT_TRUE(platform::WriteLogoFile(path.string(), *m_picture, ColorTableOf(*m_picture), animated, count));
    }

    static logo::ColorTable ColorTableOf(const logo::LogoImage& picture)
    {
        logo::ColorTable table{};
        std::copy_n(picture.colorTable.begin(), 256, table.begin());
        return table;
    }

    std::uint8_t m_count = 77;
    bool m_ownerIconicDuringEditor = false;
    bool m_ownerIconicAfter = true;
    bool m_ownerVisibleDuringEditor = true;
    bool m_ownerVisibleAfter = false;
    bool m_previewAboveEditor = false;
    HWND m_ownerHwnd = nullptr;
    HWND m_previewOwner = nullptr;
    HWND m_editorOwner = nullptr;
};

TEST_F(AnimLaunch, PendingFileIsEditedWithItsCountWhileTheOwnerIsMinimised)
{
    const std::filesystem::path pending = Root() / "pending.bmp";
    WriteLogo(pending, true, 21);
    int highlight = 0;
    std::string count;
    const AnimateLogoOutcome outcome = Launch(pending.string(), [&](CAnimDlg& e) {
        highlight = e.m_highlight;
        count = Text(e, res::IDC_ANIM_COUNT);
    });
    EXPECT_EQ(outcome, AnimateLogoOutcome::EditorRan);
    EXPECT_EQ(m_count, 21);
    EXPECT_EQ(count, "21");
    EXPECT_EQ(highlight, 235);
    if (platform::testing::OnWayland()) {
        std::cout << "Wayland: no client can restore a minimised window; the owner is hidden instead\n";
        EXPECT_FALSE(m_ownerVisibleDuringEditor);
        // Placing is the compositor's; a child is kept above its parent.
        EXPECT_TRUE(m_previewAboveEditor) << "the preview is shown as the editor's child";
    } else {
        EXPECT_TRUE(m_ownerIconicDuringEditor);
    }
    EXPECT_FALSE(m_ownerIconicAfter);
    EXPECT_TRUE(m_ownerVisibleAfter);
    // Offscreen no window is ever active, so nothing names the editor's owner.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        EXPECT_EQ(m_editorOwner, m_ownerHwnd) << "the editor is owned by the dialog that ran it";
    }
    EXPECT_EQ(m_previewOwner, m_editorOwner);
    EXPECT_EQ(m_editor.m_picture, nullptr);
}

TEST_F(AnimLaunch, StaticFileHandsOverCountZero)
{
    const std::filesystem::path file = Drive() / "WINDOWS" / "logow.sys";
    WriteLogo(file, false, 0);
    std::string count;
    Launch("C:\\WINDOWS\\logow.sys", [&](CAnimDlg& e) { count = Text(e, res::IDC_ANIM_COUNT); });
    EXPECT_EQ(m_count, 0);
    EXPECT_EQ(count, "2");
}

TEST_F(AnimLaunch, FileRemovedBehindTheDialogsBackOpensNoEditor)
{
    bool editorOpened = false;
    const AnimateLogoOutcome outcome =
        Launch((Root() / "gone.bmp").string(), [&](CAnimDlg&) { editorOpened = true; });
    EXPECT_EQ(outcome, AnimateLogoOutcome::CannotLoad);
    EXPECT_FALSE(editorOpened);
    EXPECT_FALSE(m_ownerIconicAfter);
    EXPECT_EQ(m_count, 77);  // the preview's count stays, so its cycling resumes
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.text, "Could not display selected image.");
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.caption, "Error");
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.type, MB_OK | MB_ICONHAND);
}

TEST_F(AnimLaunch, PictureOfAnotherShapeIsRefused)
{
    logo::Picture small = logo::MakeBlankLogo();
    small.height = 240;
    small.pixels.resize(320 * 240);
    const std::filesystem::path file = Root() / "small.bmp";
    ASSERT_FALSE(platform::WriteLogoFile(file.string(), small, {}, false, 0));  // the writer refuses it too
    // A valid 320 x 240 x 8 BMP.
    testing_support::WriteAll(file.string(), testing_support::MakeBmp(320, 240, 8, std::vector<logo::RgbQuad>(256),
                                                                      std::vector<std::uint8_t>(320 * 240)));
    bool editorOpened = false;
    EXPECT_EQ(Launch(file.string(), [&](CAnimDlg&) { editorOpened = true; }), AnimateLogoOutcome::NotALogo);
    EXPECT_FALSE(editorOpened);
    ASSERT_EQ(m_prompts.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.text, "The selected file is not a logo.");
    EXPECT_EQ(m_prompts.MessageBoxes()[0].request.type, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace
}  // namespace animtest
