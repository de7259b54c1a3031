#pragma once
// A real top-level window for the tests, shown at the screen's corner so its
// pixels can be read back from the display.

#include "platform/WinTypes.h"

#include <functional>

namespace lumivane::test {

class TestWindow {
public:
    // onPaint runs for WM_PAINT; without one the window paints through DefWindowProc.
    explicit TestWindow(int width = 120, int height = 80, std::function<void(HWND)> onPaint = {});
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return m_hwnd; }
    // Paints now and lets the display catch up.
    void Repaint() const;
    // The pixel the window shows, read from its own DC.
    COLORREF ScreenPixel(int x, int y) const;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    std::function<void(HWND)> m_onPaint;
};

void PumpMessages();

}  // namespace lumivane::test
