#pragma once
// The editor run modally on a test logo, as Animate Logo runs it: the test
// body drives the open editor from the modal hook and the editor is closed
// afterwards if the body left it open.

#include "ui/AppletUiFixture.h"
#include "logo/Picture.h"
#include "platform/ui/Cursors.h"
#include "platform/ui/MouseCapture.h"
#include "platform/ui/CDC.h"
#include "platform/qt/testing/UiTesting.h"
#include "resources/ResourceIds.h"
#include "ui/anim/CAnimDlg.h"
#include "ui/anim/SwatchGrid.h"

#include <functional>
#include <memory>

namespace animtest {

// Entry i of the test table; every colour differs from every other.
inline logo::RgbQuad TestEntry(int i)
{
    return logo::RgbQuad{static_cast<std::uint8_t>(i / 2), static_cast<std::uint8_t>(255 - i),
                         static_cast<std::uint8_t>(i), 0};
}

// A logo whose pixels use the entries 0 to colours - 1 in horizontal bands.
inline logo::LogoImage TestLogo(int colours = 256)
{
    logo::LogoImage picture = logo::MakeBlankLogo();
    for (int i = 0; i < 256; ++i)
        picture.colorTable[static_cast<std::size_t>(i)] = TestEntry(i);
    for (int y = 0; y < logo::kLogoHeight; ++y)
        for (int x = 0; x < logo::kLogoWidth; ++x)
            picture.pixels[static_cast<std::size_t>(y * logo::kLogoWidth + x)] =
                static_cast<std::uint8_t>((y * 256 / logo::kLogoHeight) % colours);
    return picture;
}

inline POINT SwatchCentre(int index)
{
    const RECT r = SwatchRect(index);
    return POINT{r.left + 4, r.top + 4};
}

inline COLORREF EntryColor(const logo::RgbQuad& q)
{
    return RGB(q.red, q.green, q.blue);
}

class AnimEditorTest : public appletui::AppletUiTest {
protected:
    using Body = std::function<void(CAnimDlg&)>;

    void SetUp() override
    {
        appletui::AppletUiTest::SetUp();
        m_picture = std::make_unique<logo::LogoImage>(TestLogo());
    }

    void TearDown() override
    {
        platform::SetCursor(nullptr);
        platform::ClipCursor(nullptr);
        platform::ReleaseCapture();
        appletui::AppletUiTest::TearDown();
    }

    // Runs the editor on m_picture with the count; returns DoModal's result.
    int RunEditor(std::uint8_t count, const Body& body)
    {
        m_editor.m_picture = m_picture.get();
        m_editor.m_animCount = count;
        platform::testing::ScopedModalHook hook(res::IDD_ANIM, [&](platform::CDialog& dialog) {
            auto& editor = static_cast<CAnimDlg&>(dialog);
            body(editor);
            if (editor.IsWindow() && editor.IsWindowVisible())
                editor.EndDialog(IDCANCEL);
        });
        return m_editor.DoModal();
    }

    static COLORREF Pixel(CAnimDlg& editor, int x, int y)
    {
        platform::CDC* dc = editor.GetDC();
        const COLORREF color = dc->GetPixel(x, y);
        editor.ReleaseDC(dc);
        return color;
    }

    static void Move(CAnimDlg& editor, POINT p, UINT flags = 0)
    {
        platform::testing::SendMouse(editor, platform::testing::MouseAction::Move, p, flags);
    }
    static void Click(CAnimDlg& editor, POINT p, UINT flags = 0)
    {
        Move(editor, p, flags);
        platform::testing::SendMouse(editor, platform::testing::MouseAction::LeftDown, p, flags);
        platform::testing::SendMouse(editor, platform::testing::MouseAction::LeftUp, p, flags);
    }
    static void RightClick(CAnimDlg& editor, POINT p)
    {
        platform::testing::SendMouse(editor, platform::testing::MouseAction::RightDown, p, 0);
    }
    static std::string Text(CAnimDlg& editor, int id) { return editor.GetDlgItemText(id); }

    std::unique_ptr<logo::LogoImage> m_picture;
    CAnimDlg m_editor;
};

}  // namespace animtest
