#include "platform/WinTypes.h"
#include "platform/ui/CEdit.h"

#include <algorithm>
#include <utility>

namespace platform {

void CEdit::SetSel(int start, int end)
{
    if (!IsWindow())
        return;
    const HWND hwnd = GetSafeHwnd();
    if (start == -1) {
        // Takes the selection off; the caret stays where it is.
        ::SendMessageA(hwnd, EM_SETSEL, static_cast<WPARAM>(-1), 0);
        return;
    }
    const int length = ::GetWindowTextLengthA(hwnd);
    if (end < 0 || end > length)
        end = length;
    start = std::clamp(start, 0, length);
    if (start > end)
        std::swap(start, end);
    ::SendMessageA(hwnd, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    ::SendMessageA(hwnd, EM_SCROLLCARET, 0, 0);
}

void CEdit::GetSel(int& start, int& end) const
{
    start = 0;
    end = 0;
    if (!IsWindow())
        return;
    DWORD first = 0;
    DWORD last = 0;
    ::SendMessageA(GetSafeHwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

void CEdit::ReplaceSel(const std::string& text)
{
    if (IsWindow())
        ::SendMessageA(GetSafeHwnd(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace platform
