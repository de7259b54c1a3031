// Owner drawing and window DCs on real windows, read back from the display.
#include "platform/WinTypes.h"

#include "logo/Picture.h"
#include "platform/ui/CDC.h"
#include "platform/ui/PixelBuffer.h"
#include "platform/ui/UiConstants.h"
#include "platform/win32/ui/DibSection.h"
#include "platform/win32/ui/WindowDC.h"
#include "tests/win32/ui/TestWindow.h"

#include <gtest/gtest.h>

#include <cstdint>

using lumivane::test::TestWindow;
using namespace platform;

namespace {

const COLORREF kOutline = RGB(255, 0, 0);
const COLORREF kFill = RGB(0, 0, 255);

void PaintFramedSquare(HWND hwnd)
{
    win32::PaintWindow(hwnd, [hwnd] {
        CDC dc(win32::CurrentPaintBuffer(hwnd));
        CPen pen(PS_SOLID, 1, kOutline);
        CBrush brush(kFill);
        dc.SelectObject(&pen);
        dc.SelectObject(&brush);
        dc.Rectangle(10, 10, 20, 20);
    });
}

TEST(PaintWindow, OwnerDrawingShowsOnTheWindowOverTheFaceColour)
{
    TestWindow window(60, 40, &PaintFramedSquare);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(window.ScreenPixel(10, 10), kOutline);  // outline top-left
    EXPECT_EQ(window.ScreenPixel(19, 19), kOutline);  // outline bottom-right, exclusive edge minus one
    EXPECT_EQ(window.ScreenPixel(15, 15), kFill);     // fill
    EXPECT_EQ(window.ScreenPixel(20, 20), face);   // just outside
    EXPECT_EQ(window.ScreenPixel(59, 39), face);
}

TEST(PaintWindow, BufferExistsOnlyWhileThePaintRuns)
{
    PixelBuffer* during = nullptr;
    HWND seen = nullptr;
    TestWindow window(30, 20, [&](HWND hwnd) {
        seen = hwnd;
        win32::PaintWindow(hwnd, [&] { during = win32::CurrentPaintBuffer(hwnd); });
    });
    ASSERT_NE(during, nullptr);
    EXPECT_EQ(during->Width(), 30);
    EXPECT_EQ(during->Height(), 20);
    EXPECT_EQ(win32::CurrentPaintBuffer(seen), nullptr);
    EXPECT_FALSE(win32::PaintWindow(nullptr, [] {}));
}

TEST(WindowDC, StartsFromWhatTheWindowShowsAndDrawsOntoIt)
{
    TestWindow window(60, 40, &PaintFramedSquare);
    CDC* dc = win32::AcquireWindowDC(window.Handle());
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc->GetPixel(15, 15), kFill);
    EXPECT_EQ(dc->GetPixel(10, 10), kOutline);
    dc->FillSolidRect(30, 5, 4, 4, RGB(0, 128, 0));
    EXPECT_EQ(dc->GetPixel(31, 6), RGB(0, 128, 0));
    EXPECT_EQ(win32::ReleaseWindowDC(dc), 1);
    EXPECT_EQ(window.ScreenPixel(30, 5), RGB(0, 128, 0));
    EXPECT_EQ(window.ScreenPixel(33, 8), RGB(0, 128, 0));
    EXPECT_EQ(window.ScreenPixel(34, 9), ::GetSysColor(COLOR_BTNFACE));
}

TEST(WindowDC, RefusesWhatItDidNotMake)
{
    EXPECT_EQ(win32::AcquireWindowDC(nullptr), nullptr);
    CDC foreign;
    EXPECT_EQ(win32::ReleaseWindowDC(&foreign), 0);
    EXPECT_EQ(win32::ReleaseWindowDC(nullptr), 0);
    TestWindow window;
    CDC* dc = win32::AcquireWindowDC(window.Handle());
    EXPECT_EQ(win32::ReleaseWindowDC(dc), 1);
    EXPECT_EQ(win32::ReleaseWindowDC(dc), 0);
}

logo::Picture TwoByTwo()
{
    logo::Picture picture;
    picture.width = 2;
    picture.height = 2;
    picture.bitsPerPixel = 8;
    picture.colorTable.resize(256);
    picture.colorTable[1] = logo::RgbQuad{255, 0, 0, 0};  // blue
    picture.colorTable[2] = logo::RgbQuad{0, 255, 0, 0};  // green
    picture.pixels = {1, 2, 2, 7};
    return picture;
}

TEST(DibSection, HoldsThePicturesColoursTopRowFirst)
{
    HBITMAP bitmap = win32::CreateDibSection(TwoByTwo());
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION section{};
    ASSERT_EQ(::GetObjectA(bitmap, sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBm.bmWidth, 2);
    EXPECT_EQ(section.dsBm.bmHeight, 2);
    EXPECT_EQ(section.dsBmih.biBitCount, 32);
    const auto* bits = static_cast<const std::uint32_t*>(section.dsBm.bmBits);
    EXPECT_EQ(bits[0] & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(bits[1] & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(bits[3] & 0xFFFFFF, 0u);  // index beyond what the table sets shows black
    ::DeleteObject(bitmap);
}

TEST(DibSection, RefusesPicturesThatDoNotHoldTheirPixels)
{
    logo::Picture shortData = TwoByTwo();
    shortData.pixels.pop_back();
    EXPECT_EQ(win32::CreateDibSection(shortData), nullptr);
    logo::Picture empty;
    EXPECT_EQ(win32::CreateDibSection(empty), nullptr);
    logo::Picture negative = TwoByTwo();
    negative.height = -2;
    EXPECT_EQ(win32::CreateDibSection(negative), nullptr);
    EXPECT_EQ(win32::CreateDibSection(PixelBuffer()), nullptr);
}

TEST(DibSection, PictureControlShowsThroughTheParentsWindowDC)
{
    TestWindow window(80, 60);
    logo::Picture picture;
    picture.width = 16;
    picture.height = 16;
    picture.bitsPerPixel = 32;
    picture.pixels.assign(16 * 16 * 4, 0);
    for (std::size_t i = 0; i < 16 * 16; ++i)
        picture.pixels[i * 4 + 2] = 200;  // red
    HWND picture_control = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BITMAP, 20, 10, 16, 16,
                                             window.Handle(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
    HBITMAP bitmap = win32::CreateDibSection(picture);
    ::SendMessageA(picture_control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    window.Repaint();
    ::UpdateWindow(picture_control);
    lumivane::test::PumpMessages();

    CDC* dc = win32::AcquireWindowDC(window.Handle());
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc->GetPixel(25, 15), RGB(200, 0, 0));
    EXPECT_EQ(dc->GetPixel(5, 5), ::GetSysColor(COLOR_BTNFACE));
    win32::ReleaseWindowDC(dc);
    ::DestroyWindow(picture_control);
    ::DeleteObject(bitmap);
}

TEST(SysColors, AreTheSystemScheme)
{
    EXPECT_EQ(platform::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(platform::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOW));
}

}  // namespace
