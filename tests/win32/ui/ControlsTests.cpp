// The control classes over real system controls: buttons, picture
// statics, edits and combo boxes, through the framework's API.
#include "platform/WinTypes.h"

#include "logo/Picture.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CStatic.h"
#include "platform/ui/ControlText.h"
#include "platform/ui/UiConstants.h"
#include "tests/win32/ui/ControlHost.h"
#include "tests/win32/ui/TestWindow.h"

#include <gtest/gtest.h>

#include <cstdint>

using lumivane::test::ControlHost;
using lumivane::test::PumpMessages;
using namespace platform;

namespace {

// A 4 x 2 picture of palette indices: a blue left half, a green right half.
logo::Picture FourByTwo()
{
    logo::Picture picture;
    picture.width = 4;
    picture.height = 2;
    picture.bitsPerPixel = 8;
    picture.colorTable.resize(256);
    picture.colorTable[1] = logo::RgbQuad{255, 0, 0, 0};  // blue
    picture.colorTable[2] = logo::RgbQuad{0, 255, 0, 0};  // green
    picture.pixels = {1, 1, 2, 2, 1, 1, 2, 2};
    return picture;
}

// The colour at (x, y) of a 32-bit top-down DIB section, as a COLORREF.
COLORREF DibPixel(HBITMAP bitmap, int x, int y)
{
    DIBSECTION section{};
    if (::GetObjectA(bitmap, sizeof section, &section) != static_cast<int>(sizeof section) || section.dsBm.bmBits == nullptr)
        return CLR_INVALID;
    const auto* bits = static_cast<const std::uint32_t*>(section.dsBm.bmBits);
    const std::uint32_t word = bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(section.dsBm.bmWidth) + x];
    return RGB((word >> 16) & 0xFF, (word >> 8) & 0xFF, word & 0xFF);
}

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info{};
    if (::GetObjectA(bitmap, sizeof info, &info) == 0)
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

bool IsLiveBitmap(HBITMAP bitmap)
{
    BITMAP info{};
    return bitmap != nullptr && ::GetObjectA(bitmap, sizeof info, &info) != 0;
}

HBITMAP StaticImage(HWND control)
{
    return reinterpret_cast<HBITMAP>(::SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);

// ---- CButton ----

TEST(CButton, CheckAndStateAreTheButtonsOwn)
{
    ControlHost host;
    HWND check = host.Add("BUTTON", 100, BS_AUTOCHECKBOX, 10, 10, 80, 20, "check");
    HWND push = host.Add("BUTTON", 101, BS_PUSHBUTTON, 10, 40, 80, 24, "push");
    CButton box;
    box.Attach(check);
    EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
    box.SetCheck(BST_CHECKED);
    EXPECT_EQ(box.GetCheck(), BST_CHECKED);
    EXPECT_EQ(::SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);

    CButton button;
    button.Attach(push);
    button.SetState(TRUE);
    EXPECT_NE(::SendMessageA(push, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    button.SetState(FALSE);
    EXPECT_EQ(::SendMessageA(push, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    // A push button has no check.
    button.SetCheck(BST_CHECKED);
    EXPECT_EQ(button.GetCheck(), BST_UNCHECKED);
    box.Detach();
    button.Detach();
}

TEST(CButton, CheckingARadioButtonLeavesTheOthersOfItsGroup)
{
    ControlHost host;
    HWND first = host.Add("BUTTON", 200, BS_AUTORADIOBUTTON | WS_GROUP, 10, 10, 80, 20, "one");
    HWND second = host.Add("BUTTON", 201, BS_AUTORADIOBUTTON, 10, 30, 80, 20, "two");
    CButton one;
    CButton two;
    one.Attach(first);
    two.Attach(second);
    one.SetCheck(BST_CHECKED);
    two.SetCheck(BST_CHECKED);
    EXPECT_EQ(one.GetCheck(), BST_CHECKED);
    EXPECT_EQ(two.GetCheck(), BST_CHECKED);
    one.Detach();
    two.Detach();
}

TEST(CButton, ClickChecksTheRadioButtonAloneInItsGroupAndTellsTheOwner)
{
    ControlHost host;
    HWND first = host.Add("BUTTON", 200, BS_AUTORADIOBUTTON | WS_GROUP, 10, 10, 80, 20, "one");
    HWND second = host.Add("BUTTON", 201, BS_AUTORADIOBUTTON, 10, 30, 80, 20, "two");
    HWND other = host.Add("BUTTON", 202, BS_AUTORADIOBUTTON | WS_GROUP, 10, 50, 80, 20, "other group");
    ::SendMessageA(first, BM_SETCHECK, BST_CHECKED, 0);
    ::SendMessageA(other, BM_SETCHECK, BST_CHECKED, 0);
    CButton two;
    two.Attach(second);
    two.Click();
    EXPECT_EQ(::SendMessageA(first, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(::SendMessageA(second, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(::SendMessageA(other, BM_GETCHECK, 0, 0), BST_CHECKED);
    ASSERT_EQ(host.Commands().size(), 1u);
    EXPECT_EQ(host.Commands()[0].id, 201);
    EXPECT_EQ(host.Commands()[0].code, static_cast<UINT>(BN_CLICKED));
    EXPECT_EQ(host.Commands()[0].from, second);
    two.Detach();
}

TEST(CButton, ClickTogglesACheckBoxButNotWhenDisabledOrHidden)
{
    ControlHost host;
    HWND check = host.Add("BUTTON", 100, BS_AUTOCHECKBOX, 10, 10, 80, 20, "check");
    CButton box;
    box.Attach(check);
    box.Click();
    EXPECT_EQ(box.GetCheck(), BST_CHECKED);
    box.Click();
    EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(host.Commands().size(), 2u);
    host.ClearCommands();
    box.EnableWindow(FALSE);
    box.Click();
    box.EnableWindow(TRUE);
    box.ShowWindow(SW_HIDE);
    box.Click();
    EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
    EXPECT_TRUE(host.Commands().empty());
    box.Detach();
}

TEST(CButton, SetBitmapGivesTheButtonACopyOfThePicture)
{
    ControlHost host;
    HWND face = host.Add("BUTTON", 300, BS_PUSHBUTTON | BS_BITMAP, 10, 10, 40, 30);
    CButton button;
    button.Attach(face);
    logo::Picture picture = FourByTwo();
    button.SetBitmap(picture);
    auto shown = reinterpret_cast<HBITMAP>(::SendMessageA(face, BM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(BitmapSize(shown).cx, 4);
    EXPECT_EQ(BitmapSize(shown).cy, 2);
    EXPECT_EQ(DibPixel(shown, 0, 0), kBlue);
    EXPECT_EQ(DibPixel(shown, 3, 1), kGreen);
    // A copy: changing the picture afterwards changes nothing shown.
    picture.colorTable[1] = logo::RgbQuad{0, 0, 255, 0};
    EXPECT_EQ(DibPixel(shown, 0, 0), kBlue);

    // A new face frees the one before.
    button.SetBitmap(picture);
    auto second = reinterpret_cast<HBITMAP>(::SendMessageA(face, BM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(DibPixel(second, 0, 0), RGB(255, 0, 0));
    if (second != shown) {
        EXPECT_FALSE(IsLiveBitmap(shown));
    }
    // And the last one goes with the button.
    button.DestroyWindow();
    PumpMessages();
    EXPECT_FALSE(IsLiveBitmap(second));
}

// ---- CStatic ----

TEST(CStatic, SetBitmapShowsThePictureCentredOnTheFace)
{
    ControlHost host;
    HWND control = host.Add("STATIC", 500, SS_BITMAP | SS_CENTERIMAGE, 20, 10, 40, 30);
    CStatic view;
    view.Attach(control);
    const logo::Picture picture = FourByTwo();
    EXPECT_EQ(view.SetBitmap(&picture), nullptr);
    EXPECT_EQ(view.GetBitmap(), &picture);

    HBITMAP shown = StaticImage(control);
    ASSERT_NE(shown, nullptr);
    // One bitmap for the whole client area, the picture in its middle.
    EXPECT_EQ(BitmapSize(shown).cx, 40);
    EXPECT_EQ(BitmapSize(shown).cy, 30);
    EXPECT_EQ(DibPixel(shown, 18, 14), kBlue);
    EXPECT_EQ(DibPixel(shown, 19, 15), kBlue);
    EXPECT_EQ(DibPixel(shown, 20, 14), kGreen);
    EXPECT_EQ(DibPixel(shown, 21, 15), kGreen);
    EXPECT_EQ(DibPixel(shown, 17, 14), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(DibPixel(shown, 0, 0), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(DibPixel(shown, 22, 16), ::GetSysColor(COLOR_BTNFACE));

    // What the control puts on screen.
    ::InvalidateRect(control, nullptr, TRUE);
    ::UpdateWindow(control);
    PumpMessages();
    HDC dc = ::GetDC(control);
    EXPECT_EQ(::GetPixel(dc, 18, 14), kBlue);
    EXPECT_EQ(::GetPixel(dc, 21, 15), kGreen);
    EXPECT_EQ(::GetPixel(dc, 2, 2), ::GetSysColor(COLOR_BTNFACE));
    ::ReleaseDC(control, dc);
    view.Detach();
}

TEST(CStatic, SettingTheSamePictureAgainShowsItsNewColours)
{
    ControlHost host;
    HWND control = host.Add("STATIC", 500, SS_BITMAP | SS_CENTERIMAGE, 20, 10, 40, 30);
    CStatic view;
    view.Attach(control);
    logo::Picture picture = FourByTwo();
    view.SetBitmap(&picture);
    HBITMAP before = StaticImage(control);
    picture.colorTable[1] = logo::RgbQuad{0, 0, 255, 0};  // red
    EXPECT_EQ(view.SetBitmap(&picture), &picture);
    HBITMAP after = StaticImage(control);
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(DibPixel(after, 18, 14), RGB(255, 0, 0));
    if (after != before) {
        EXPECT_FALSE(IsLiveBitmap(before));
    }
    view.Detach();
}

TEST(CStatic, NullEmptiesTheControlAndTheBitmapGoesWithIt)
{
    ControlHost host;
    HWND control = host.Add("STATIC", 500, SS_BITMAP | SS_CENTERIMAGE, 20, 10, 40, 30);
    CStatic view;
    view.Attach(control);
    const logo::Picture picture = FourByTwo();
    view.SetBitmap(&picture);
    HBITMAP shown = StaticImage(control);
    EXPECT_EQ(view.SetBitmap(nullptr), &picture);
    EXPECT_EQ(view.GetBitmap(), nullptr);
    EXPECT_EQ(StaticImage(control), nullptr);
    EXPECT_FALSE(IsLiveBitmap(shown));

    view.SetBitmap(&picture);
    shown = StaticImage(control);
    ASSERT_TRUE(IsLiveBitmap(shown));
    view.DestroyWindow();
    PumpMessages();
    EXPECT_FALSE(IsLiveBitmap(shown));
    EXPECT_EQ(view.GetBitmap(), nullptr);
}

TEST(CStatic, KeepsItsSizeWithoutCentreImageAndPicturesOnlyGoToPictureControls)
{
    ControlHost host;
    HWND framed = host.Add("STATIC", 500, SS_BITMAP, 20, 10, 40, 30, "", WS_EX_STATICEDGE);
    CStatic view;
    view.Attach(framed);
    const logo::Picture picture = FourByTwo();
    RECT before{};
    ::GetWindowRect(framed, &before);
    view.SetBitmap(&picture);
    RECT after{};
    ::GetWindowRect(framed, &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    view.Detach();

    // A sunken picture (as the applet's previews are): its edge is no part
    // of the bitmap, which fills the client area inside it.
    HWND sunken = host.Add("STATIC", 502, SS_BITMAP | SS_CENTERIMAGE | SS_SUNKEN, 80, 10, 40, 30);
    CStatic preview;
    preview.Attach(sunken);
    ::GetWindowRect(sunken, &before);
    preview.SetBitmap(&picture);
    ::GetWindowRect(sunken, &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    RECT client{};
    ::GetClientRect(sunken, &client);
    EXPECT_EQ(BitmapSize(StaticImage(sunken)).cx, client.right);
    EXPECT_EQ(BitmapSize(StaticImage(sunken)).cy, client.bottom);
    preview.Detach();

    HWND text = host.Add("STATIC", 501, SS_LEFT, 20, 50, 40, 20, "text");
    CStatic label;
    label.Attach(text);
    EXPECT_EQ(label.SetBitmap(&picture), nullptr);
    EXPECT_EQ(label.GetBitmap(), nullptr);
    EXPECT_EQ(label.GetWindowText(), "text");
    label.Detach();

    CStatic none;
    EXPECT_EQ(none.SetBitmap(&picture), nullptr);
    EXPECT_EQ(none.GetBitmap(), nullptr);
}

// A wrapped text static grows by whole lines of its font, its edge added.
TEST(CStatic, HeightForWidthCountsTheWrappedLinesAndTheEdge)
{
    ControlHost host(400, 200);
    HWND text = host.Add("STATIC", 503, SS_LEFT, 0, 0, 300, 20,
                         "the cycle seems to stall between neighbouring entries of the table", WS_EX_STATICEDGE);
    CStatic label;
    label.Attach(text);
    RECT window{};
    RECT client{};
    ::GetWindowRect(text, &window);
    ::GetClientRect(text, &client);
    const int edge = (window.bottom - window.top) - client.bottom;
    TEXTMETRICA metrics{};
    const HDC dc = ::GetDC(text);
    const auto font = reinterpret_cast<HGDIOBJ>(::SendMessageA(text, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = font != nullptr ? ::SelectObject(dc, font) : nullptr;
    ::GetTextMetricsA(dc, &metrics);
    if (previous != nullptr)
        ::SelectObject(dc, previous);
    ::ReleaseDC(text, dc);
    const int line = metrics.tmHeight;

    EXPECT_EQ(ControlHeightForWidth(label, 2000), line + edge);
    const int narrow = ControlHeightForWidth(label, 120) - edge;
    EXPECT_GT(narrow, line);
    EXPECT_EQ(narrow % line, 0);
    label.Detach();
    EXPECT_EQ(ControlHeightForWidth(label, 120), 0);
}

// ---- CEdit ----

TEST(CEdit, SelectionRangesAreClampedAndOrdered)
{
    ControlHost host;
    HWND field = host.Add("EDIT", 600, ES_AUTOHSCROLL | WS_BORDER, 10, 10, 120, 22, "Lumivane");
    CEdit edit;
    edit.Attach(field);
    int start = -1;
    int end = -1;
    edit.SetSel(0, -1);
    edit.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 8);
    edit.SetSel(5, 2);
    edit.GetSel(start, end);
    EXPECT_EQ(start, 2);
    EXPECT_EQ(end, 5);
    edit.SetSel(3, 100);
    edit.GetSel(start, end);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 8);
    edit.SetSel(-1, 0);
    edit.GetSel(start, end);
    EXPECT_EQ(start, end);
    edit.Detach();
}

TEST(CEdit, ReplaceSelReplacesTheSelectedText)
{
    ControlHost host;
    HWND field = host.Add("EDIT", 600, ES_AUTOHSCROLL | WS_BORDER, 10, 10, 120, 22, "boot logo");
    CEdit edit;
    edit.Attach(field);
    edit.SetSel(0, 4);
    edit.ReplaceSel("shut");
    EXPECT_EQ(edit.GetWindowText(), "shut logo");
    int start = 0;
    int end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 4);
    edit.SetSel(9, 9);
    edit.ReplaceSel("s");
    EXPECT_EQ(edit.GetWindowText(), "shut logos");
    edit.Detach();

    CEdit none;
    none.SetSel(0, -1);
    none.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 0);
}

// ---- CComboBox ----

HWND AddCombo(ControlHost& host)
{
    return host.Add("COMBOBOX", 700, CBS_DROPDOWN | WS_VSCROLL, 10, 10, 120, 120);
}

TEST(CComboBox, EntriesGoAtTheEndAndAreReadBack)
{
    ControlHost host;
    CComboBox combo;
    combo.Attach(AddCombo(host));
    combo.SetWindowText("typed");
    EXPECT_EQ(combo.AddString("Zebra"), 0);
    EXPECT_EQ(combo.AddString("apple"), 1);
    EXPECT_EQ(combo.AddString("Mango"), 2);
    EXPECT_EQ(combo.GetCount(), 3);
    EXPECT_EQ(combo.GetWindowText(), "typed");
    EXPECT_EQ(combo.GetLBText(1), "apple");
    std::string text = "old";
    EXPECT_EQ(combo.GetLBText(2, text), 5);
    EXPECT_EQ(text, "Mango");
    EXPECT_EQ(combo.GetLBText(3, text), CB_ERR);
    EXPECT_EQ(text, "");
    EXPECT_EQ(combo.GetLBText(-1), "");
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
    combo.Detach();

    CComboBox none;
    EXPECT_EQ(none.AddString("x"), CB_ERR);
    EXPECT_EQ(none.GetCount(), CB_ERR);
    EXPECT_EQ(none.GetCurSel(), CB_ERR);
}

TEST(CComboBox, SetCurSelShowsTheEntryAndRefusesIndicesOutOfRange)
{
    ControlHost host;
    CComboBox combo;
    combo.Attach(AddCombo(host));
    combo.AddString("first");
    combo.AddString("second");
    EXPECT_EQ(combo.SetCurSel(1), 1);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(combo.GetWindowText(), "second");
    EXPECT_EQ(combo.SetCurSel(2), CB_ERR);
    EXPECT_EQ(combo.SetCurSel(-2), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(combo.GetWindowText(), "second");
    combo.SetCurSel(-1);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.GetWindowText(), "");
    combo.Detach();
}

TEST(CComboBox, FindsAndSelectsByPrefixIgnoringCaseAndWrapping)
{
    ControlHost host;
    CComboBox combo;
    combo.Attach(AddCombo(host));
    combo.AddString("Logo.sys");
    combo.AddString("logow.sys");
    combo.AddString("Logos.sys");
    combo.AddString("other");
    EXPECT_EQ(combo.FindString(-1, "LOGO"), 0);
    EXPECT_EQ(combo.FindString(0, "logo"), 1);
    EXPECT_EQ(combo.FindString(2, "logo"), 0);  // wraps round
    EXPECT_EQ(combo.FindString(99, "OTH"), 3);
    EXPECT_EQ(combo.FindString(-1, "logos"), 2);
    EXPECT_EQ(combo.FindString(-1, "logo.sys and more"), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);  // finding selects nothing

    EXPECT_EQ(combo.SelectString(-1, "LOGOW"), 1);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(combo.GetWindowText(), "logow.sys");
    // No match leaves the selection and the text as they were.
    EXPECT_EQ(combo.SelectString(-1, "missing"), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(combo.GetWindowText(), "logow.sys");
    combo.Detach();
}

TEST(CComboBox, EmptyListFindsNothing)
{
    ControlHost host;
    CComboBox combo;
    combo.Attach(AddCombo(host));
    EXPECT_EQ(combo.FindString(-1, ""), CB_ERR);
    EXPECT_EQ(combo.SelectString(-1, "a"), CB_ERR);
    combo.Detach();
}

}  // namespace
