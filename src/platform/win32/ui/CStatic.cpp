#include "platform/WinTypes.h"
#include "platform/ui/CStatic.h"

#include "logo/Picture.h"
#include "platform/ui/PixelBuffer.h"
#include "platform/ui/UiConstants.h"
#include "platform/win32/ui/DibSection.h"
#include "platform/win32/ui/WindowHooks.h"

#include <algorithm>
#include <cstdint>
#include <map>

namespace platform {

namespace {

// What a picture control shows: the caller's picture (not a copy) and the
// bitmap composed from it, which the control holds and the framework frees.
struct ShownPicture {
    const logo::Picture* picture = nullptr;
    HBITMAP bitmap = nullptr;
    bool showing = false;  // while Show runs: its own resizing composes nothing
};

std::map<HWND, ShownPicture>& Shown()
{
    static std::map<HWND, ShownPicture> shown;
    return shown;
}

bool IsPictureControl(HWND hwnd)
{
    char name[16] = {};
    if (::GetClassNameA(hwnd, name, sizeof name) <= 0 || lstrcmpiA(name, "Static") != 0)
        return false;
    return (static_cast<DWORD>(::GetWindowLongA(hwnd, GWL_STYLE)) & SS_TYPEMASK) == SS_BITMAP;
}

bool IsDrawable(const logo::Picture& picture)
{
    if (picture.width <= 0 || picture.height <= 0)
        return false;
    const auto count = static_cast<std::uint64_t>(picture.width) * static_cast<std::uint64_t>(picture.height);
    return picture.pixels.size() >= count * picture.BytesPerPixel();
}

// The whole client area: the dialog face with the picture centred on it at
// its own size (the offset truncated towards zero, a larger picture
// clipped), as one bitmap. The control then has nothing left to fill: on
// Windows 98 SS_CENTERIMAGE fills the margin with the bitmap's top-left
// pixel, not the face colour.
HBITMAP Compose(HWND hwnd, const logo::Picture* picture)
{
    RECT client{};
    ::GetClientRect(hwnd, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (picture == nullptr || width <= 0 || height <= 0)
        return nullptr;
    PixelBuffer buffer(width, height, platform::GetSysColor(COLOR_BTNFACE));
    if (IsDrawable(*picture)) {
        const long long ox = (static_cast<long long>(width) - picture->width) / 2;
        const long long oy = (static_cast<long long>(height) - picture->height) / 2;
        const int x0 = static_cast<int>(std::max<long long>(0, ox));
        const int y0 = static_cast<int>(std::max<long long>(0, oy));
        const int x1 = static_cast<int>(std::min<long long>(width, ox + picture->width));
        const int y1 = static_cast<int>(std::min<long long>(height, oy + picture->height));
        for (int y = y0; y < y1; ++y) {
            std::uint32_t* row = buffer.Data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
            for (int x = x0; x < x1; ++x) {
                const logo::RgbQuad c = picture->ColorAt(static_cast<std::int32_t>(x - ox),
                                                         static_cast<std::int32_t>(y - oy));
                row[x] = PixelBuffer::ToArgb(RGB(c.red, c.green, c.blue));
            }
        }
    }
    return win32::CreateDibSection(buffer);
}

// Hands the control a new bitmap and frees the one the framework gave before.
void Show(HWND hwnd, ShownPicture& shown)
{
    shown.showing = true;
    HBITMAP bitmap = Compose(hwnd, shown.picture);
    // Without SS_CENTERIMAGE the control takes the bitmap's size; it keeps
    // its own, as the picture is centred in it.
    RECT before{};
    ::GetWindowRect(hwnd, &before);
    ::SendMessageA(hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    RECT after{};
    ::GetWindowRect(hwnd, &after);
    if (after.right - after.left != before.right - before.left || after.bottom - after.top != before.bottom - before.top) {
        ::SetWindowPos(hwnd, nullptr, 0, 0, before.right - before.left, before.bottom - before.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (shown.bitmap != nullptr)
        ::DeleteObject(shown.bitmap);
    shown.bitmap = bitmap;
    // A control that copies the bitmap it is given keeps the copy; ours is
    // then not shown and goes now.
    if (bitmap != nullptr
        && reinterpret_cast<HBITMAP>(::SendMessageA(hwnd, STM_GETIMAGE, IMAGE_BITMAP, 0)) != bitmap) {
        ::DeleteObject(bitmap);
        shown.bitmap = nullptr;
    }
    shown.showing = false;
    ::InvalidateRect(hwnd, nullptr, TRUE);
}

bool PictureHook(HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT&)
{
    const auto it = Shown().find(hwnd);
    if (it == Shown().end())
        return false;
    if (message == WM_SIZE && it->second.picture != nullptr && !it->second.showing) {
        Show(hwnd, it->second);
    } else if (message == WM_NCDESTROY) {
        if (it->second.bitmap != nullptr)
            ::DeleteObject(it->second.bitmap);
        Shown().erase(it);
    }
    return false;
}

}  // namespace

const logo::Picture* CStatic::SetBitmap(const logo::Picture* picture)
{
    if (!IsWindow() || !IsPictureControl(GetSafeHwnd()))
        return nullptr;
    const HWND hwnd = GetSafeHwnd();
    // The hook frees the bitmap with the control and composes it again
    // when the control changes size.
    if (!win32::HasWindowHook(hwnd, win32::HookSlot::StaticPicture)
        && !win32::SetWindowHook(hwnd, win32::HookSlot::StaticPicture, &PictureHook))
        return nullptr;
    ShownPicture& shown = Shown()[hwnd];
    const logo::Picture* previous = shown.picture;
    shown.picture = picture;
    // Composed again even for the same picture: its colours may have changed.
    Show(hwnd, shown);
    return previous;
}

const logo::Picture* CStatic::GetBitmap() const
{
    if (!IsWindow())
        return nullptr;
    const auto it = Shown().find(GetSafeHwnd());
    return it != Shown().end() ? it->second.picture : nullptr;
}

}  // namespace platform
