#pragma once
// A lumva.cpl loaded as the Control Panel loads it, and the Control Panel's
// own window that the applet's dialogs are owned by.

#include <windows.h>

#include <cpl.h>

namespace win32_test {

// The Control Panel's own window, which an applet may own its windows by.
class HostWindow {
public:
    HostWindow()
        : m_hwnd(::CreateWindowExA(0, "STATIC", "Control Panel", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                   nullptr, ::GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~HostWindow()
    {
        if (m_hwnd != nullptr)
            ::DestroyWindow(m_hwnd);
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND Handle() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

// The module loaded as an applet; unloaded at the end unless a test did.
class LoadedApplet {
public:
    explicit LoadedApplet(const char* path)
        : m_module(::LoadLibraryA(path))
    {
        if (m_module == nullptr)
            return;
        // Through void (*)(), the type GCC lets stand for any function's.
        const auto entry = reinterpret_cast<void (*)()>(::GetProcAddress(m_module, "CPlApplet"));
        m_entry = reinterpret_cast<APPLET_PROC>(entry);
    }
    ~LoadedApplet() { Unload(); }
    LoadedApplet(const LoadedApplet&) = delete;
    LoadedApplet& operator=(const LoadedApplet&) = delete;

    HMODULE Module() const { return m_module; }
    APPLET_PROC Entry() const { return m_entry; }
    LONG Send(HWND host, UINT message, LPARAM first = 0, LPARAM second = 0) const
    {
        return m_entry(host, message, first, second);
    }
    bool Unload()
    {
        const bool freed = m_module != nullptr && ::FreeLibrary(m_module) != FALSE;
        m_module = nullptr;
        m_entry = nullptr;
        return freed;
    }

private:
    HMODULE m_module;
    APPLET_PROC m_entry = nullptr;
};

}  // namespace win32_test
