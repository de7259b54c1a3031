#pragma once
// Finding a window the way a user finds it: by its caption on the screen.

#include <windows.h>

#include <string>

namespace win32_test {

namespace detail {

struct TitleSearch {
    const std::string* caption;
    HWND found;
};

inline BOOL CALLBACK MatchTitle(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<TitleSearch*>(context);
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    if (!::IsWindowVisible(window) || *search->caption != text)
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace detail

// A visible top-level window with exactly this caption: of that thread, or
// of any program when thread is 0.
inline HWND VisibleWindowTitled(const std::string& caption, DWORD thread = 0)
{
    detail::TitleSearch search{&caption, nullptr};
    const auto context = reinterpret_cast<LPARAM>(&search);
    if (thread != 0)
        ::EnumThreadWindows(thread, &detail::MatchTitle, context);
    else
        ::EnumWindows(&detail::MatchTitle, context);
    return search.found;
}

}  // namespace win32_test
