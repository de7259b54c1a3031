// Dialogs at work: message-map dispatch, modal runs driven by the hook
// (nested ones too), the cancel paths, reuse of the object, timers, owners,
// owner drawing and the destroy notification.

#include "platform/qt/DialogTestSupport.h"

#include "platform/ui/CDC.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CStatic.h"
#include "platform/qt/testing/UiTesting.h"

#include "logo/Picture.h"

#include <gtest/gtest.h>

#include <iostream>

namespace {

using namespace uitest;
namespace pt = platform::testing;
using platform::ControlClass;
using platform::ControlTemplate;

enum : int { IDD_SMALL = 910, IDD_INNER = 911, IDD_PREVIEW = 912, IDC_RUN = 300, IDC_OK_ID = IDOK };

constexpr std::array kSmallControls = {
    ControlTemplate{IDOK, ControlClass::Button, "&OK", 5, 30, 50, 14, BS_PUSHBUTTON | WS_TABSTOP, 0},
    ControlTemplate{IDCANCEL, ControlClass::Button, "&Cancel", 60, 30, 50, 14, BS_PUSHBUTTON | WS_TABSTOP, 0},
    ControlTemplate{IDC_RUN, ControlClass::Button, "&Run", 115, 30, 50, 14, BS_PUSHBUTTON | WS_TABSTOP, 0},
};

constexpr platform::DialogTemplate kSmallTemplate{IDD_SMALL, "Small", 10, 20, 170, 50, kCaptioned, 0,
                                                 "MS Sans Serif", 8, kSmallControls};
constexpr platform::DialogTemplate kInnerTemplate{IDD_INNER, "Inner", 0, 0, 170, 50, kCaptioned, 0,
                                                 "MS Sans Serif", 8, kSmallControls};

// Records what reaches it through its message map and its virtuals.
class RecordingDialog : public platform::CDialog {
public:
    explicit RecordingDialog(const platform::DialogTemplate& tpl) : CDialog(tpl) {}

    int inits = 0;
    int oks = 0;
    int cancels = 0;
    int runs = 0;
    std::vector<UINT_PTR> ticks;
    std::vector<std::string> mouse;
    int cursorAsks = 0;
    BOOL cursorAnswer = FALSE;
    int destroys = 0;
    RECT rectAtDestroy{};
    bool cancelAllowed = true;
    bool endInInit = false;
    platform::CDialog* nested = nullptr;
    int nestedResult = 0;

protected:
    const platform::MessageMapBase* GetMessageMap() const override
    {
        static constexpr auto map = platform::MakeMessageMap<RecordingDialog>(
            platform::OnBnClicked(IDC_RUN, &RecordingDialog::OnRun),
            platform::OnWmTimer(&RecordingDialog::OnTimer),
            platform::OnWmMouseMove(&RecordingDialog::OnMouseMove),
            platform::OnWmLButtonDown(&RecordingDialog::OnLButtonDown),
            platform::OnWmRButtonDown(&RecordingDialog::OnRButtonDown),
            platform::OnWmSetCursor(&RecordingDialog::OnSetCursor),
            platform::OnWmDestroy(&RecordingDialog::OnDestroy));
        return &map;
    }

    BOOL OnInitDialog() override
    {
        ++inits;
        CDialog::OnInitDialog();
        if (endInInit) {
            EndDialog(77);
        }
        return TRUE;
    }
    void OnOK() override
    {
        ++oks;
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        ++cancels;
        if (cancelAllowed) {
            CDialog::OnCancel();
        }
    }
    void OnTimer(UINT_PTR id) override { ticks.push_back(id); }
    void OnMouseMove(UINT flags, platform::CPoint p) override { Log("move", flags, p); }
    void OnLButtonDown(UINT flags, platform::CPoint p) override { Log("left", flags, p); }
    void OnRButtonDown(UINT flags, platform::CPoint p) override { Log("right", flags, p); }
    BOOL OnSetCursor(platform::CWnd* wnd, UINT hitTest, UINT message) override
    {
        if (wnd == this && hitTest == HTCLIENT && message == WM_MOUSEMOVE) {
            ++cursorAsks;
        }
        return cursorAnswer;
    }
    void OnDestroy() override
    {
        CDialog::OnDestroy();
        ++destroys;
        GetWindowRect(&rectAtDestroy);
    }

private:
    void OnRun()
    {
        ++runs;
        if (nested != nullptr) {
            nestedResult = nested->DoModal();
        }
    }
    void Log(const char* what, UINT flags, platform::CPoint p)
    {
        mouse.push_back(std::string(what) + " " + std::to_string(flags) + " " + std::to_string(p.x) + "," +
                        std::to_string(p.y));
    }
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallResources();
        pt::SetModalTimeout(5000);
    }
    void TearDown() override
    {
        pt::SetModalTimeout(0);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

struct EndCase {
    const char* name;
    std::function<void(platform::CDialog&)> action;
    int result;
    int cancels;
    int oks;
};

class ModalEndTest : public DialogTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(ModalEndTest, EndsWithTheResultOfItsPath)
{
    const EndCase& c = GetParam();
    RecordingDialog dialog(kSmallTemplate);
    pt::ScopedModalHook hook(IDD_SMALL, c.action);
    EXPECT_EQ(dialog.DoModal(), c.result);
    EXPECT_EQ(hook.Calls(), 1);
    EXPECT_EQ(dialog.cancels, c.cancels);
    EXPECT_EQ(dialog.oks, c.oks);
    EXPECT_EQ(dialog.destroys, 1);
    EXPECT_FALSE(dialog.IsWindow());
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ModalEndTest,
    ::testing::Values(
        EndCase{"EscapeKey", [](platform::CDialog& d) { pt::SendKey(d, VK_ESCAPE); }, IDCANCEL, 1, 0},
        EndCase{"CloseBox", [](platform::CDialog& d) { pt::ClickCloseBox(d); }, IDCANCEL, 1, 0},
        EndCase{"CancelButton", [](platform::CDialog& d) { pt::ClickControl(d, IDCANCEL); }, IDCANCEL, 1, 0},
        EndCase{"OkButton", [](platform::CDialog& d) { pt::ClickControl(d, IDOK); }, IDOK, 0, 1},
        EndCase{"EndDialogValue", [](platform::CDialog& d) { d.EndDialog(1234); }, 1234, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, RefusedCancelKeepsTheDialogOpen)
{
    RecordingDialog dialog(kSmallTemplate);
    dialog.cancelAllowed = false;
    pt::ScopedModalHook hook(IDD_SMALL, [&](platform::CDialog& d) {
        pt::SendKey(d, VK_ESCAPE);
        pt::ClickCloseBox(d);
        EXPECT_TRUE(d.IsWindowVisible());
        d.EndDialog(5);
    });
    EXPECT_EQ(dialog.DoModal(), 5);
    EXPECT_EQ(dialog.cancels, 2);
}

TEST_F(DialogTest, NestedModalDialogIsDrivenByItsOwnHook)
{
    RecordingDialog outer(kSmallTemplate);
    RecordingDialog inner(kInnerTemplate);
    outer.nested = &inner;
    HWND innerOwner = nullptr;
    HWND outerWindow = nullptr;
    BOOL outerEnabledDuringInner = TRUE;
    pt::ScopedModalHook innerHook(IDD_INNER, [&](platform::CDialog& d) {
        innerOwner = pt::OwnerOf(d);
        outerEnabledDuringInner = outer.IsWindowEnabled();
        d.EndDialog(42);
    });
    pt::ScopedModalHook outerHook(IDD_SMALL, [&](platform::CDialog& d) {
        Activate(d);
        outerWindow = d.GetSafeHwnd();
        pt::ClickControl(d, IDC_RUN);
        EXPECT_EQ(outer.nestedResult, 42);
        EXPECT_TRUE(d.IsWindowEnabled()) << "the owner is enabled again after the inner run";
        d.EndDialog(IDOK);
    });
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_EQ(innerHook.Calls(), 1);
    ASSERT_NE(outerWindow, nullptr);
    EXPECT_EQ(innerOwner, outerWindow) << "the active window became the owner";
    EXPECT_FALSE(outerEnabledDuringInner) << "the owner is disabled while the inner dialog runs";
    EXPECT_EQ(inner.destroys, 1);
}

TEST_F(DialogTest, ObjectRunsAgainWithAFreshWindow)
{
    RecordingDialog dialog(kSmallTemplate);
    pt::ScopedModalHook hook(IDD_SMALL, [](platform::CDialog& d) {
        EXPECT_EQ(pt::ActiveTimers(d).size(), 0u);
        d.SetTimer(1, 100);
        d.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.inits, 2);
    EXPECT_EQ(dialog.destroys, 2);
    EXPECT_EQ(hook.Calls(), 2);
}

TEST_F(DialogTest, EndDialogDuringInitSkipsTheRun)
{
    RecordingDialog dialog(kSmallTemplate);
    dialog.endInInit = true;
    pt::ScopedModalHook hook(IDD_SMALL, [](platform::CDialog& d) { d.EndDialog(1); });
    EXPECT_EQ(dialog.DoModal(), 77);
    EXPECT_EQ(hook.Calls(), 0);
}

TEST_F(DialogTest, SecondRunWhileOpenIsRefused)
{
    RecordingDialog dialog(kSmallTemplate);
    int second = 0;
    pt::ScopedModalHook hook(IDD_SMALL, [&](platform::CDialog& d) {
        second = d.DoModal();
        d.EndDialog(IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(second, -1);
}

TEST_F(DialogTest, FirstEnabledTabStopGetsTheFocus)
{
    RecordingDialog dialog(kSmallTemplate);
    pt::ScopedModalHook hook(IDD_SMALL, [](platform::CDialog& d) {
        EXPECT_TRUE(pt::QueryControl(d, IDOK).focused);
        d.EndDialog(IDOK);
    });
    dialog.DoModal();
}

TEST_F(DialogTest, MessageMapRoutesClicksAndMouse)
{
    RecordingDialog dialog(kSmallTemplate);
    ASSERT_TRUE(dialog.Create());
    pt::ClickControl(dialog, IDC_RUN);
    pt::SendCommand(dialog, IDC_RUN);
    EXPECT_EQ(dialog.runs, 2);
    pt::SendMouse(dialog, pt::MouseAction::Move, POINT{12, 7}, MK_SHIFT);
    pt::SendMouse(dialog, pt::MouseAction::LeftDown, POINT{3, 4}, MK_CONTROL);
    pt::SendMouse(dialog, pt::MouseAction::RightDown, POINT{5, 6}, MK_SHIFT | MK_CONTROL);
    const std::vector<std::string> expected = {
        "move " + std::to_string(MK_SHIFT) + " 12,7",
        "left " + std::to_string(MK_LBUTTON | MK_CONTROL) + " 3,4",
        "right " + std::to_string(MK_RBUTTON | MK_SHIFT | MK_CONTROL) + " 5,6",
    };
    EXPECT_EQ(dialog.mouse, expected);
    EXPECT_EQ(dialog.cursorAsks, 1) << "WM_SETCURSOR comes with each move";
    dialog.DestroyWindow();
}

TEST_F(DialogTest, TimersTickThroughTheHookAndEndWithTheWindow)
{
    RecordingDialog dialog(kSmallTemplate);
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.SetTimer(1, 100), 1u);
    EXPECT_EQ(pt::TimerInterval(dialog, 1), 100);
    EXPECT_TRUE(pt::FireTimer(dialog, 1));
    EXPECT_TRUE(pt::FireTimer(dialog, 1));
    EXPECT_FALSE(pt::FireTimer(dialog, 2));
    EXPECT_EQ(dialog.ticks, (std::vector<UINT_PTR>{1, 1}));
    EXPECT_TRUE(dialog.KillTimer(1));
    EXPECT_FALSE(dialog.KillTimer(1));
    EXPECT_FALSE(pt::FireTimer(dialog, 1));
    dialog.SetTimer(3, 50);
    dialog.DestroyWindow();
    EXPECT_FALSE(pt::FireTimer(dialog, 3));
    EXPECT_TRUE(pt::ActiveTimers(dialog).empty());
    EXPECT_EQ(dialog.SetTimer(4, 10), 0u) << "no window, no timer";
}

TEST_F(DialogTest, RealTimerTicksWhileTheLoopRuns)
{
    RecordingDialog dialog(kSmallTemplate);
    ASSERT_TRUE(dialog.Create());
    dialog.SetTimer(9, 10);
    EXPECT_TRUE(PumpUntil([&] { return dialog.ticks.size() >= 2; }, 5000)) << "ticks: " << dialog.ticks.size();
    dialog.DestroyWindow();
    const std::size_t after = dialog.ticks.size();
    Pump(100);
    EXPECT_EQ(dialog.ticks.size(), after);
}

TEST_F(DialogTest, DestroyNotificationStillSeesThePosition)
{
    RecordingDialog dialog(kSmallTemplate);
    ASSERT_TRUE(dialog.Create());
    dialog.SetWindowPos(nullptr, 123, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT before{};
    dialog.GetWindowRect(&before);
    EXPECT_EQ(before.left, 123);
    EXPECT_EQ(before.top, 45);
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.destroys, 1);
    EXPECT_TRUE(SameRect(dialog.rectAtDestroy, before));
    EXPECT_FALSE(dialog.DestroyWindow());
}

TEST_F(DialogTest, TemplatePositionIsRelativeToTheOwnersClientArea)
{
    RecordingDialog owner(kInnerTemplate);
    ASSERT_TRUE(owner.Create());
    owner.SetWindowPos(nullptr, 200, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RecordingDialog modeless(kSmallTemplate);
    ASSERT_TRUE(modeless.Create(&owner));
    POINT origin{0, 0};
    owner.ClientToScreen(&origin);
    RECT r{};
    modeless.GetWindowRect(&r);
    // Template position 10, 20 DLU = 15, 33 px from the owner's client origin.
    EXPECT_EQ(r.left, origin.x + 15);
    EXPECT_EQ(r.top, origin.y + 33);
    EXPECT_EQ(pt::OwnerOf(modeless), owner.GetSafeHwnd());
    EXPECT_FALSE(modeless.IsWindowVisible()) << "a modeless template without WS_VISIBLE starts hidden";
    modeless.ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(modeless.IsWindowVisible());
    modeless.ShowWindow(SW_HIDE);
    EXPECT_FALSE(modeless.IsWindowVisible());
    modeless.ShowWindow(SW_SHOWMINNOACTIVE);
    if (pt::OnWayland()) {
        std::cout << "Wayland: no client can restore a minimised window; it is hidden instead\n";
        EXPECT_FALSE(modeless.IsWindowVisible());
    } else {
        EXPECT_TRUE(modeless.IsIconic());
    }
    modeless.DestroyWindow();
    owner.DestroyWindow();
}

TEST_F(DialogTest, EndDialogOnAModelessDialogOnlyHidesIt)
{
    RecordingDialog dialog(kSmallTemplate);
    ASSERT_TRUE(dialog.Create());
    dialog.ShowWindow(SW_SHOWNORMAL);
    pt::ClickCloseBox(dialog);
    EXPECT_EQ(dialog.cancels, 1);
    EXPECT_TRUE(dialog.IsWindow());
    EXPECT_FALSE(dialog.IsWindowVisible());
    dialog.DestroyWindow();
}

// Owner drawing into the dialog's client buffer, read back with GetPixel.
class SwatchDialog : public platform::CDialog {
public:
    SwatchDialog() : CDialog(kInnerTemplate) {}
    int highlight = -1;
    int paints = 0;

protected:
    void OnPaint() override
    {
        ++paints;
        platform::CPaintDC dc(this);
        platform::CPen green(PS_SOLID, 2, RGB(0, 255, 0));
        platform::CPen* oldPen = static_cast<platform::CPen*>(dc.SelectStockObject(NULL_PEN));
        platform::CBrush* oldBrush = nullptr;
        for (int i = 0; i < 4; ++i) {
            platform::CBrush brush(RGB(50 * i, 0, 0));
            platform::CBrush* previous = dc.SelectObject(&brush);
            if (i == 0) {
                oldBrush = previous;
            }
            dc.SelectObject(i == highlight ? &green : static_cast<platform::CPen*>(platform::GetStockObject(NULL_PEN)));
            dc.Rectangle(3 + 10 * i, 3, 13 + 10 * i, 13);
        }
        dc.SelectObject(oldPen);
        dc.SelectObject(oldBrush);
    }
};

TEST_F(DialogTest, OwnerDrawnPixelsReadBackBetweenTheFace)
{
    SwatchDialog dialog;
    ASSERT_TRUE(dialog.Create());
    platform::CDC* dc = dialog.GetDC();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc->GetPixel(3, 3), RGB(0, 0, 0));
    EXPECT_EQ(dc->GetPixel(21, 11), RGB(50, 0, 0));
    EXPECT_EQ(dc->GetPixel(12, 5), platform::kDialogFaceColor) << "the column left out between swatches";
    EXPECT_EQ(dc->GetPixel(5, 12), platform::kDialogFaceColor);
    const int paints = dialog.paints;
    dialog.highlight = 2;
    dialog.Invalidate(TRUE);
    EXPECT_EQ(dc->GetPixel(22, 2), RGB(0, 255, 0)) << "the 2-pixel frame starts one pixel outside";
    EXPECT_EQ(dc->GetPixel(25, 6), RGB(100, 0, 0));
    EXPECT_EQ(dialog.paints, paints + 1);
    EXPECT_EQ(dc->GetPixel(-1, 0), CLR_INVALID);
    dialog.DestroyWindow();
}

constexpr std::array kPreviewControls = {
    ControlTemplate{1017, ControlClass::Static, "", 0, 0, 213, 246, SS_BITMAP | SS_CENTERIMAGE, 0},
};
constexpr platform::DialogTemplate kPreviewTemplate{IDD_PREVIEW, "Preview", 0, 0, 213, 246, kCaptioned | DS_CENTER,
                                                   WS_EX_TOOLWINDOW, "MS Sans Serif", 8, kPreviewControls};

TEST_F(DialogTest, PreviewDialogPixelsAreThePictures)
{
    logo::Picture picture = logo::MakeBlankLogo();
    picture.colorTable[9] = logo::RgbQuad{3, 2, 1, 0};
    picture.pixels[static_cast<std::size_t>(399) * 320 + 319] = 9;
    platform::CDialog preview(kPreviewTemplate);
    ASSERT_TRUE(preview.Create());
    preview.GetDlgItemAs<platform::CStatic>(1017)->SetBitmap(&picture);
    platform::CDC* dc = preview.GetDC();
    EXPECT_EQ(dc->GetPixel(319, 399), RGB(1, 2, 3));
    EXPECT_EQ(dc->GetPixel(0, 0), RGB(0, 0, 0));
    picture.colorTable[9] = logo::RgbQuad{0, 0, 200, 0};
    preview.Invalidate(TRUE);
    EXPECT_EQ(dc->GetPixel(319, 399), RGB(200, 0, 0)) << "a redraw shows the changed table";
    const QImage shot = pt::GrabWindow(preview);
    EXPECT_EQ(shot.size(), QSize(320, 400));
    preview.DestroyWindow();
}

}  // namespace
