// The Animation Options editor opened from the main dialog's Animate Logo on
// the prefix's start-up logo: its controls, the swatch grid and the Preview
// window as the screen shows them, Save As, and the positions it stores.

#include "tests/win32/scenarios/ScenarioFixture.h"

#include "logo/BmpReader.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"
#include "ui/anim/SwatchGrid.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

COLORREF ColorOf(const logo::RgbQuad& entry)
{
    return RGB(entry.red, entry.green, entry.blue);
}

// The pixel a window shows at a client point, read from its own DC.
COLORREF PixelOf(HWND window, int x, int y)
{
    HDC dc = ::GetDC(window);
    const COLORREF pixel = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return pixel;
}

using Editor = AppletScenario;

TEST_F(Editor, AnimateLogoOpensTheEditorWithItsSwatchGridAndPreview)
{
    const logo::LogoImage logo = testing_support::MakeVariedLogo(7);
    WriteLogo(StartUpFile(), 7);
    CAnimDlg& editor = m_dialog.AnimDlg();
    int swatchesWrong = 0;
    int previewPixelsWrong = 0;
    bool previewShown = false;
    bool mainMinimised = false;
    m_script.When(editor, [&] {
        HWND e = editor.GetSafeHwnd();
        mainMinimised = ::IsIconic(m_dialog.GetSafeHwnd()) != FALSE;
        ExpectControlsWhereTheTemplatePutsThem(e, res::AnimDialogTemplate());
        for (int i = 0; i < 256; ++i) {
            const RECT r = SwatchRect(i);
            if (PixelOf(e, r.left + 4, r.top + 4) != ColorOf(logo.colorTable[static_cast<std::size_t>(i)]))
                ++swatchesWrong;
        }
        HWND preview = editor.m_preview.GetSafeHwnd();
        previewShown = preview != nullptr && ::IsWindowVisible(preview);
        ASSERT_TRUE(previewShown);
        // The picture stands unscaled and centred in its control.
        HWND picture = ::GetDlgItem(preview, res::IDC_PREVIEW_PICTURE);
        ASSERT_NE(picture, nullptr);
        RECT area{};
        ::GetClientRect(picture, &area);
        const int left = (area.right - logo::kLogoWidth) / 2;
        const int top = (area.bottom - logo::kLogoHeight) / 2;
        for (int y = 10; y < logo::kLogoHeight; y += 37) {
            for (int x = 5; x < logo::kLogoWidth; x += 29) {
                const std::uint8_t index = logo.pixels[static_cast<std::size_t>(y * logo::kLogoWidth + x)];
                if (PixelOf(picture, left + x, top + y) != ColorOf(logo.colorTable[index]))
                    ++previewPixelsWrong;
            }
        }
    });
    RunMainDialog([&](HWND d) { ASSERT_TRUE(Click(d, res::IDC_ANIMATE_LOGO)); });
    EXPECT_TRUE(mainMinimised) << "the main dialog steps aside while the editor runs";
    EXPECT_EQ(swatchesWrong, 0);
    EXPECT_TRUE(previewShown);
    EXPECT_EQ(previewPixelsWrong, 0);
}

TEST_F(Editor, SaveAsWritesAWholeLogoFileAndClosingStoresThePositions)
{
    const logo::LogoImage logo = testing_support::MakeVariedLogo(8);
    WriteLogo(StartUpFile(), 8);
    m_prompts.QueueFileDialogAnswer(Picture("saved.bmp"), 0);
    CAnimDlg& editor = m_dialog.AnimDlg();
    m_script.When(editor, [&] { ASSERT_TRUE(Click(editor.GetSafeHwnd(), res::IDC_ANIM_SAVE_AS)); });
    RunMainDialog([&](HWND d) { ASSERT_TRUE(Click(d, res::IDC_ANIMATE_LOGO)); });

    ASSERT_EQ(m_prompts.FileDialogs().size(), 1u);
    EXPECT_EQ(FileSize(Picture("saved.bmp")), 129078);
    const logo::LoadResult back = logo::LoadBmpFile(Picture("saved.bmp"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back.picture->pixels, logo.pixels);
    // Integers land as REG_DWORD.
    for (const char* entry : {"x", "y", "px", "py"}) {
        const std::optional<RegistryValue> stored = Stored("AnimDlg", entry);
        ASSERT_TRUE(stored.has_value()) << entry;
        EXPECT_EQ(stored->type, DWORD{REG_DWORD}) << entry;
    }
}

}  // namespace
}  // namespace scenario
