#pragma once
// Plays the user inside modal loops, from outside the dialogs: each step is
// tied to a dialog object, or to a window of the thread by its caption (the
// dialogs of a module the test cannot reach into, the system's file
// dialogs, message boxes), and runs once, from a thread timer, as soon as
// that window is shown in its modal run. A step may open a nested
// modal dialog whose own step then runs inside it. Whatever a step leaves
// open is cancelled, and a run that outlasts the deadline is cancelled with
// a failure, so a forgotten dialog fails the test instead of hanging it.

#include "platform/WinTypes.h"
#include "platform/ui/CDialog.h"

#include <functional>
#include <string>
#include <vector>

namespace scenario {

class ModalScript {
public:
    explicit ModalScript(DWORD deadlineMs = 20000);
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    void When(platform::CDialog& dialog, std::function<void()> step)
    {
        Add([&dialog] { return dialog.GetSafeHwnd(); }, [&dialog](HWND) { dialog.EndDialog(IDCANCEL); },
            [step = std::move(step)](HWND) { step(); });
    }
    // A window left open by its step is cancelled as by its Cancel button.
    void WhenWindow(std::string caption, std::function<void(HWND)> step);
    // Steps that never found their dialog shown.
    int StepsNotRun() const;

private:
    struct Step {
        std::function<HWND()> find;
        std::function<void(HWND)> end;
        std::function<void(HWND)> body;
        bool started = false;
    };
    void Add(std::function<HWND()> find, std::function<void(HWND)> end, std::function<void(HWND)> body);
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void RunReadySteps();

    std::vector<Step> m_steps;
    UINT_PTR m_timer = 0;
    DWORD m_deadline;
    DWORD m_started;
    bool m_expired = false;
};

// Clicks a control with the button's own click (BM_CLICK): its parent gets
// the notification as from the mouse. False when it is missing, hidden or
// disabled; nothing happens then.
bool Click(HWND dialog, int controlId);

// The control's rectangle in the dialog's client coordinates.
RECT ClientRectOf(HWND dialog, HWND control);

// Lets the windows paint what is pending.
void PumpPaint();

}  // namespace scenario
