// What a dialog shows and where its tools sit: disabled bitmap faces, the
// thin caption-less group box used as a rule, the tooltip hit test through
// id-less statics, and the focus a radio group gets at opening.

#include "platform/qt/DialogTestSupport.h"

#include "platform/ui/CButton.h"
#include "platform/qt/testing/UiTesting.h"

#include "logo/Picture.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

using namespace uitest;
namespace pt = platform::testing;
using platform::ControlClass;
using platform::ControlTemplate;

enum : int { IDD_FACES = 920, IDD_RULED = 921, IDD_SLOTS = 922, IDC_FIRST = 400, IDC_SECOND, IDC_THIRD, IDC_TOOL };

constexpr DWORD kFace = BS_PUSHBUTTON | BS_BITMAP | BS_FLAT;
constexpr DWORD kSlot = BS_AUTORADIOBUTTON | BS_PUSHLIKE | BS_FLAT;

// A 16 x 16 face: black on the light grey ground of the editor's faces.
logo::Picture BlackSquareFace()
{
    logo::Picture face;
    face.width = 16;
    face.height = 16;
    face.bitsPerPixel = 8;
    face.colorTable.resize(256);
    face.colorTable[1] = logo::RgbQuad{192, 192, 192, 0};
    face.pixels.assign(16 * 16, 1);
    for (int y = 4; y < 12; ++y)
        for (int x = 4; x < 12; ++x)
            face.pixels[static_cast<std::size_t>(y * 16 + x)] = 0;
    return face;
}

// The middle pixel of a control as the dialog shows it.
QRgb CentreOf(platform::CDialog& dialog, int id)
{
    const QImage shown = pt::GrabWindow(dialog);
    const RECT r = pt::QueryControl(dialog, id).rect;
    return shown.pixel((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

constexpr std::array kFaceControls = {
    ControlTemplate{IDC_FIRST, ControlClass::Button, "", 5, 5, 13, 12, kFace, 0},
    ControlTemplate{IDCANCEL, ControlClass::Button, "&Close", 5, 25, 50, 14, BS_PUSHBUTTON | WS_TABSTOP, 0},
};
constexpr platform::DialogTemplate kFaceTemplate{IDD_FACES, "Faces", 0, 0, 80, 45, kCaptioned, 0, "MS Sans Serif", 8,
                                                kFaceControls};

TEST(BitmapButtonFace, DisabledFaceIsPaintedGreyedOut)
{
    InstallResources();
    platform::CDialog dialog(kFaceTemplate);
    ASSERT_TRUE(dialog.Create());
    dialog.ShowWindow(SW_SHOWNA);
    auto* button = dialog.GetDlgItemAs<platform::CButton>(IDC_FIRST);
    ASSERT_NE(button, nullptr);
    button->SetBitmap(BlackSquareFace());
    EXPECT_EQ(CentreOf(dialog, IDC_FIRST), qRgb(0, 0, 0));

    // Painting a disabled face once brought the program down.
    button->EnableWindow(FALSE);
    pt::PaintShownWindows();
    const QRgb disabled = CentreOf(dialog, IDC_FIRST);
    EXPECT_NE(disabled, qRgb(0, 0, 0)) << "the face is drawn greyed, not as when enabled";
    EXPECT_NE(disabled, qRgb(192, 192, 192)) << "the face is still drawn";
    dialog.DestroyWindow();
}

// The editor's rule: a group box 5 dialog units high with no caption.
constexpr std::array kRuledControls = {
    ControlTemplate{-1, ControlClass::Button, "", 0, 50, 218, 5, BS_GROUPBOX, 0},
    ControlTemplate{IDCANCEL, ControlClass::Button, "&Close", 5, 5, 50, 14, BS_PUSHBUTTON | WS_TABSTOP, 0},
};
constexpr platform::DialogTemplate kRuledTemplate{IDD_RULED, "Ruled", 0, 0, 220, 60, kCaptioned, 0, "MS Sans Serif",
                                                 8, kRuledControls};

TEST(GroupBoxRule, ACaptionlessBoxAsLowAsARuleShowsAnEtchedLineInsideIt)
{
    InstallResources();
    platform::CDialog dialog(kRuledTemplate);
    ASSERT_TRUE(dialog.Create());
    dialog.ShowWindow(SW_SHOWNA);
    const QImage shown = pt::GrabWindow(dialog);
    // 0, 50, 218, 5 dialog units: rows 81 to 88, 327 pixels wide.
    const QColor shadow(128, 128, 128);
    const QColor highlight(255, 255, 255);
    int shadowRow = -1;
    int highlightRow = -1;
    for (int y = 81; y < 89; ++y) {
        const QColor c = shown.pixelColor(160, y);
        if (c == shadow && shadowRow < 0)
            shadowRow = y;
        if (c == highlight && highlightRow < 0)
            highlightRow = y;
    }
    ASSERT_GE(shadowRow, 81) << "no shadow line inside the control";
    EXPECT_EQ(highlightRow, shadowRow + 1) << "an etched line: highlight just under the shadow";
    // The line runs the control's width and stops there.
    EXPECT_EQ(shown.pixelColor(2, shadowRow), shadow);
    EXPECT_EQ(shown.pixelColor(325, shadowRow), shadow);
    EXPECT_NE(shown.pixelColor(160, 80), shadow);
    dialog.DestroyWindow();
}

// A group box and a label without ids lying over a button, as the main
// dialog's "Controls" box lies over its buttons.
constexpr std::array kToolControls = {
    ControlTemplate{-1, ControlClass::Button, "Controls", 0, 0, 100, 60, BS_GROUPBOX, 0},
    ControlTemplate{-1, ControlClass::Static, "Over", 10, 10, 60, 20, SS_LEFT, 0},
    ControlTemplate{IDC_TOOL, ControlClass::Button, "&Tool", 10, 10, 60, 15, BS_PUSHBUTTON | WS_TABSTOP, 0},
    ControlTemplate{IDCANCEL, ControlClass::Button, "&Close", 10, 40, 60, 15, BS_PUSHBUTTON | WS_TABSTOP, 0},
};
constexpr platform::DialogTemplate kToolTemplate{IDD_RULED, "Tools", 0, 0, 110, 70, kCaptioned, 0, "MS Sans Serif", 8,
                                                kToolControls};

class ToolDialog : public platform::CDialog {
public:
    ToolDialog() : CDialog(kToolTemplate) {}

protected:
    UINT OnToolTipStringId(int id) override { return id == IDC_TOOL ? UINT{IDS_TIP_PUSH} : 0u; }
};

TEST(ToolTipHitTest, ControlsWithoutAnIdAreSeenThrough)
{
    InstallResources();
    ToolDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.EnableToolTips(TRUE);
    const RECT tool = pt::QueryControl(dialog, IDC_TOOL).rect;
    EXPECT_EQ(pt::ToolTipAt(dialog, POINT{tool.left + 5, tool.top + 5}), std::optional<std::string>("Pushes the button"));
    // Inside the group box but over no control with an id: no tooltip.
    EXPECT_EQ(pt::ToolTipAt(dialog, POINT{150, 80}), std::nullopt);
    dialog.DestroyWindow();
}

// Three slot buttons in one group: the first has no tab stop, the others do.
constexpr std::array kSlotControls = {
    ControlTemplate{IDC_FIRST, ControlClass::Button, "&First", 5, 5, 50, 14, kSlot | WS_GROUP, 0},
    ControlTemplate{IDC_SECOND, ControlClass::Button, "&Second", 5, 20, 50, 14, kSlot | WS_TABSTOP, 0},
    ControlTemplate{IDC_THIRD, ControlClass::Button, "&Third", 5, 35, 50, 14, kSlot | WS_TABSTOP, 0},
    ControlTemplate{IDCANCEL, ControlClass::Button, "&Close", 60, 5, 50, 14, BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP,
                    0},
};
constexpr platform::DialogTemplate kSlotTemplate{IDD_SLOTS, "Slots", 0, 0, 120, 55, kCaptioned, 0, "MS Sans Serif", 8,
                                                kSlotControls};

class SlotDialog : public platform::CDialog {
public:
    explicit SlotDialog(int checked) : CDialog(kSlotTemplate), m_checked(checked) {}

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (m_checked != 0)
            CheckDlgButton(m_checked, BST_CHECKED);
        return TRUE;
    }

private:
    int m_checked;
};

int FocusedAtOpening(int checked)
{
    InstallResources();
    SlotDialog dialog(checked);
    int focused = 0;
    pt::ScopedModalHook hook(IDD_SLOTS, [&](platform::CDialog& d) {
        for (const int id : std::array<int, 4>{IDC_FIRST, IDC_SECOND, IDC_THIRD, IDCANCEL})
            if (pt::QueryControl(d, id).focused)
                focused = id;
        d.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    return focused;
}

TEST(RadioGroupFocus, OpeningFocusesTheCheckedButtonOfTheGroup)
{
    EXPECT_EQ(FocusedAtOpening(IDC_FIRST), IDC_FIRST) << "Space must not switch to another button";
    EXPECT_EQ(FocusedAtOpening(IDC_THIRD), IDC_THIRD);
    // With none checked the first tab stop keeps the focus.
    EXPECT_EQ(FocusedAtOpening(0), IDC_SECOND);
}

}  // namespace
