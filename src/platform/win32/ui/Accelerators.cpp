#include "platform/WinTypes.h"
#include "platform/ui/Accelerators.h"

#include "platform/ui/CWnd.h"
#include "platform/win32/ui/Accelerators.h"
#include "platform/win32/ui/WindowHooks.h"
#include "platform/win32/ui/WindowRegistry.h"

#include <map>

namespace platform {

namespace {

// A top-level window's table: as the window was given it, and as the
// system's accelerator table the message loops translate keys with.
struct AcceleratorTable {
    std::vector<ACCEL> entries;
    HACCEL handle = nullptr;
};

std::map<HWND, AcceleratorTable>& Tables()
{
    static std::map<HWND, AcceleratorTable> tables;
    return tables;
}

void DropTable(HWND top)
{
    const auto it = Tables().find(top);
    if (it == Tables().end())
        return;
    if (it->second.handle != nullptr)
        ::DestroyAcceleratorTable(it->second.handle);
    Tables().erase(it);
}

constexpr BYTE kModifierBits = FSHIFT | FCONTROL | FALT;

}  // namespace

BOOL SetAccelerators(CWnd& window, std::span<const ACCEL> table)
{
    if (!window.IsWindow())
        return FALSE;
    const HWND top = win32::TopLevelOf(window.GetSafeHwnd());
    if (table.empty()) {
        DropTable(top);
        win32::RemoveWindowHook(top, win32::HookSlot::Accelerators);
        return TRUE;
    }
    // Every entry is a virtual key with exactly the modifiers it names, as
    // the chords are matched on every system.
    std::vector<::ACCEL> system;
    system.reserve(table.size());
    for (const ACCEL& entry : table)
        system.push_back(::ACCEL{static_cast<BYTE>(FVIRTKEY | (entry.fVirt & kModifierBits)), entry.key, entry.cmd});
    HACCEL handle = ::CreateAcceleratorTableA(system.data(), static_cast<int>(system.size()));
    if (handle == nullptr)
        return FALSE;
    // The table goes with the window.
    if (!win32::HasWindowHook(top, win32::HookSlot::Accelerators)
        && !win32::SetWindowHook(top, win32::HookSlot::Accelerators,
                                 [](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT&) {
                                     if (message == WM_NCDESTROY)
                                         DropTable(hwnd);
                                     return false;
                                 })) {
        ::DestroyAcceleratorTable(handle);
        return FALSE;
    }
    DropTable(top);
    Tables()[top] = AcceleratorTable{std::vector<ACCEL>(table.begin(), table.end()), handle};
    return TRUE;
}

std::vector<ACCEL> GetAccelerators(const CWnd& window)
{
    if (!window.IsWindow())
        return {};
    const auto it = Tables().find(win32::TopLevelOf(window.GetSafeHwnd()));
    return it != Tables().end() ? it->second.entries : std::vector<ACCEL>{};
}

namespace win32 {

HACCEL AcceleratorTableOf(HWND topLevel)
{
    const auto it = Tables().find(topLevel);
    return it != Tables().end() ? it->second.handle : nullptr;
}

}  // namespace win32

}  // namespace platform
