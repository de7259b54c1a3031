#pragma once
// A real top-level window holding child controls made on the spot, with a
// framework object attached to it (the window DDX and the controls' owner
// see), recording each WM_COMMAND its controls send.

#include "platform/WinTypes.h"
#include "platform/ui/CWnd.h"

#include <vector>

namespace lumivane::test {

struct ReceivedCommand {
    int id = 0;
    UINT code = 0;
    HWND from = nullptr;
};

class ControlHost {
public:
    explicit ControlHost(int width = 240, int height = 200);
    ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    HWND Handle() const { return m_hwnd; }
    platform::CWnd& Window() { return m_window; }

    // A child control of a system class ("BUTTON", "EDIT", "STATIC",
    // "COMBOBOX"), visible, at client coordinates; in creation (tab) order.
    HWND Add(const char* windowClass, int id, DWORD style, int x, int y, int cx, int cy, const char* text = "",
             DWORD exStyle = 0);

    const std::vector<ReceivedCommand>& Commands() const { return m_commands; }
    void ClearCommands() { m_commands.clear(); }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    platform::CWnd m_window;
    std::vector<ReceivedCommand> m_commands;
};

}  // namespace lumivane::test
