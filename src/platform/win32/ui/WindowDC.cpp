#include "platform/win32/ui/WindowDC.h"

#include "platform/ui/CDC.h"
#include "platform/ui/PixelBuffer.h"
#include "platform/ui/UiConstants.h"
#include "platform/win32/ui/DibSection.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace platform::win32 {
namespace {

std::map<HWND, PixelBuffer*>& ActivePaints()
{
    static std::map<HWND, PixelBuffer*> paints;
    return paints;
}

SIZE ClientSize(HWND window)
{
    RECT client{};
    ::GetClientRect(window, &client);
    return SIZE{std::max<LONG>(0, client.right - client.left), std::max<LONG>(0, client.bottom - client.top)};
}

// Reads what the device shows into the buffer, through a DIB section.
void CaptureInto(HDC source, PixelBuffer& pixels)
{
    HBITMAP bitmap = CreateDibSection(pixels);
    if (bitmap == nullptr)
        return;
    HDC memory = ::CreateCompatibleDC(source);
    if (memory != nullptr) {
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, pixels.Width(), pixels.Height(), source, 0, 0, SRCCOPY);
        ::GdiFlush();
        DIBSECTION section{};
        if (::GetObjectA(bitmap, sizeof section, &section) == sizeof section && section.dsBm.bmBits != nullptr) {
            const auto* bits = static_cast<const std::uint32_t*>(section.dsBm.bmBits);
            const std::size_t count = static_cast<std::size_t>(pixels.Width()) * static_cast<std::size_t>(pixels.Height());
            std::uint32_t* out = pixels.Data();
            for (std::size_t i = 0; i < count; ++i)
                out[i] = 0xFF000000u | (bits[i] & 0x00FFFFFFu);
        }
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
    }
    ::DeleteObject(bitmap);
}

class WindowDC : public CDC {
public:
    explicit WindowDC(HWND window) : m_window(window)
    {
        const SIZE size = ClientSize(window);
        m_pixels.Reset(size.cx, size.cy, platform::GetSysColor(COLOR_BTNFACE));
        if (HDC dc = ::GetDC(window)) {
            CaptureInto(dc, m_pixels);
            ::ReleaseDC(window, dc);
        }
        Attach(&m_pixels, {});
    }

    void Flush()
    {
        if (!::IsWindow(m_window))
            return;
        if (HDC dc = ::GetDC(m_window)) {
            BlitPixels(dc, 0, 0, m_pixels);
            ::ReleaseDC(m_window, dc);
        }
    }

private:
    HWND m_window;
    PixelBuffer m_pixels;
};

std::vector<std::unique_ptr<WindowDC>>& OpenContexts()
{
    static std::vector<std::unique_ptr<WindowDC>> contexts;
    return contexts;
}

}  // namespace

bool PaintWindow(HWND window, const std::function<void()>& drawing)
{
    if (!::IsWindow(window))
        return false;
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(window, &paint);
    const SIZE size = ClientSize(window);
    PixelBuffer pixels(size.cx, size.cy, platform::GetSysColor(COLOR_BTNFACE));
    // Nested paints of one window (a handler that pumps messages) keep the outer buffer.
    auto& active = ActivePaints();
    const auto inserted = active.emplace(window, &pixels);
    if (drawing)
        drawing();
    if (inserted.second)
        active.erase(window);
    if (dc != nullptr && size.cx > 0 && size.cy > 0)
        BlitPixels(dc, 0, 0, pixels);
    ::EndPaint(window, &paint);
    return true;
}

PixelBuffer* CurrentPaintBuffer(HWND window)
{
    const auto& active = ActivePaints();
    const auto found = active.find(window);
    return found != active.end() ? found->second : nullptr;
}

CDC* AcquireWindowDC(HWND window)
{
    if (window == nullptr || !::IsWindow(window))
        return nullptr;
    OpenContexts().push_back(std::make_unique<WindowDC>(window));
    return OpenContexts().back().get();
}

int ReleaseWindowDC(CDC* dc)
{
    auto& contexts = OpenContexts();
    const auto found = std::find_if(contexts.begin(), contexts.end(),
                                    [dc](const std::unique_ptr<WindowDC>& open) { return open.get() == dc; });
    if (dc == nullptr || found == contexts.end())
        return 0;
    (*found)->Flush();
    contexts.erase(found);
    return 1;
}

}  // namespace platform::win32
