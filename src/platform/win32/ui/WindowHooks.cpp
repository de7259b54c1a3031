#include "platform/win32/ui/WindowHooks.h"

#include <algorithm>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace platform::win32 {

namespace {

using HookList = std::vector<std::pair<HookSlot, std::shared_ptr<WindowHook>>>;

struct Subclass {
    WNDPROC previous = nullptr;
    HookList hooks;  // in slot order
};

std::map<HWND, Subclass>& Subclasses()
{
    static std::map<HWND, Subclass> subclasses;
    return subclasses;
}

LRESULT CALLBACK HookedProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

WNDPROC CurrentProcedure(HWND hwnd)
{
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
}

// Puts the window's procedure back when the framework's is still the one
// the window calls; a later subclass keeps calling through ours otherwise.
bool Unsubclass(HWND hwnd, const Subclass& subclass)
{
    if (CurrentProcedure(hwnd) != &HookedProcedure)
        return false;
    ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass.previous));
    return true;
}

// Whether the hook is still set: an earlier hook may have taken it off.
bool StillSet(HWND hwnd, const std::shared_ptr<WindowHook>& hook)
{
    const auto it = Subclasses().find(hwnd);
    if (it == Subclasses().end())
        return false;
    return std::any_of(it->second.hooks.begin(), it->second.hooks.end(),
                       [&hook](const auto& entry) { return entry.second == hook; });
}

LRESULT CALLBACK HookedProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto it = Subclasses().find(hwnd);
    if (it == Subclasses().end())
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    const WNDPROC previous = it->second.previous;
    // A copy: hooks may add or remove hooks, or destroy the window.
    const HookList hooks = it->second.hooks;
    if (message == WM_NCDESTROY) {
        Subclass ending = std::move(it->second);
        Subclasses().erase(it);
        Unsubclass(hwnd, ending);
        const LRESULT answer = ::CallWindowProcA(previous, hwnd, message, wParam, lParam);
        for (const auto& [slot, hook] : hooks) {
            LRESULT ignored = 0;
            (*hook)(hwnd, message, wParam, lParam, ignored);
        }
        return answer;
    }
    for (const auto& [slot, hook] : hooks) {
        if (!StillSet(hwnd, hook))
            continue;
        LRESULT result = 0;
        if ((*hook)(hwnd, message, wParam, lParam, result))
            return result;
    }
    return ::CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

}  // namespace

bool SetWindowHook(HWND hwnd, HookSlot slot, WindowHook hook)
{
    if (hwnd == nullptr || !::IsWindow(hwnd) || !hook
        || ::GetWindowThreadProcessId(hwnd, nullptr) != ::GetCurrentThreadId())
        return false;
    auto& subclasses = Subclasses();
    auto it = subclasses.find(hwnd);
    if (it == subclasses.end()) {
        Subclass subclass;
        subclass.previous = CurrentProcedure(hwnd);
        // Ours with no record would call itself for ever.
        if (subclass.previous == nullptr || subclass.previous == &HookedProcedure)
            return false;
        it = subclasses.emplace(hwnd, std::move(subclass)).first;
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookedProcedure));
    }
    HookList& hooks = it->second.hooks;
    auto entry = std::find_if(hooks.begin(), hooks.end(), [slot](const auto& e) { return e.first == slot; });
    auto shared = std::make_shared<WindowHook>(std::move(hook));
    if (entry != hooks.end()) {
        entry->second = std::move(shared);
    } else {
        auto at = std::find_if(hooks.begin(), hooks.end(), [slot](const auto& e) { return e.first > slot; });
        hooks.insert(at, {slot, std::move(shared)});
    }
    return true;
}

void RemoveWindowHook(HWND hwnd, HookSlot slot)
{
    auto& subclasses = Subclasses();
    const auto it = subclasses.find(hwnd);
    if (it == subclasses.end())
        return;
    HookList& hooks = it->second.hooks;
    hooks.erase(std::remove_if(hooks.begin(), hooks.end(), [slot](const auto& e) { return e.first == slot; }),
                hooks.end());
    if (hooks.empty() && Unsubclass(hwnd, it->second))
        subclasses.erase(it);
}

bool HasWindowHook(HWND hwnd, HookSlot slot)
{
    const auto it = Subclasses().find(hwnd);
    return it != Subclasses().end()
           && std::any_of(it->second.hooks.begin(), it->second.hooks.end(),
                          [slot](const auto& e) { return e.first == slot; });
}

}  // namespace platform::win32
