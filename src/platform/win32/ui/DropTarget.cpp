#include "platform/WinTypes.h"
#include "platform/ui/DropTarget.h"

#include "platform/win32/ui/WindowHooks.h"

#include <shellapi.h>

#include <deque>
#include <memory>
#include <utility>

namespace platform {

namespace {

// Posted by a window to itself once a drop is over; the handler runs then.
UINT DroppedMessage()
{
    static const UINT message = ::RegisterWindowMessageA("Lumivane.FileDropped");
    return message;
}

struct DropState {
    FileDropHandler handler;
    std::deque<std::string> dropped;  // waiting for their posted message
};

// The first file of the drop; empty when it carries none.
std::string FirstFile(HDROP drop)
{
    if (::DragQueryFileA(drop, 0xFFFFFFFFu, nullptr, 0) == 0)
        return {};
    const UINT length = ::DragQueryFileA(drop, 0, nullptr, 0);
    if (length == 0)
        return {};
    std::string path(static_cast<size_t>(length) + 1, '\0');
    const UINT copied = ::DragQueryFileA(drop, 0, path.data(), length + 1);
    path.resize(copied <= length ? copied : length);
    return path;
}

}  // namespace

bool AcceptFileDrops(CWnd& window, FileDropHandler handler)
{
    const HWND hwnd = window.GetSafeHwnd();
    if (hwnd == nullptr || !::IsWindow(hwnd))
        return false;
    auto state = std::make_shared<DropState>();
    state->handler = std::move(handler);
    const UINT dropped = DroppedMessage();
    const bool hooked = win32::SetWindowHook(
        hwnd, win32::HookSlot::FileDrops,
        [state, dropped](HWND self, UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
            if (message == WM_DROPFILES) {
                auto* drop = reinterpret_cast<HDROP>(wParam);
                std::string path = FirstFile(drop);
                // The drag source is let go at once.
                ::DragFinish(drop);
                if (!path.empty()) {
                    state->dropped.push_back(std::move(path));
                    ::PostMessageA(self, dropped, 0, 0);
                }
                result = 0;
                return true;
            }
            if (message == dropped && dropped != 0) {
                if (state->dropped.empty())
                    return true;
                const std::string path = std::move(state->dropped.front());
                state->dropped.pop_front();
                // A copy: the handler may close the window, and the hook with it.
                const FileDropHandler handler = state->handler;
                if (handler)
                    handler(path);
                result = 0;
                return true;
            }
            if (message == WM_NCDESTROY)
                state->dropped.clear();
            return false;
        });
    if (!hooked)
        return false;
    ::DragAcceptFiles(hwnd, TRUE);
    return true;
}

}  // namespace platform
