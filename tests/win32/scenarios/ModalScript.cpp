#include "tests/win32/scenarios/ModalScript.h"

#include "tests/win32/WindowSearch.h"

#include <gtest/gtest.h>

namespace scenario {

namespace {

// The one script of the thread (the timer procedure has no context).
ModalScript* g_script = nullptr;

}  // namespace

ModalScript::ModalScript(DWORD deadlineMs) : m_deadline(deadlineMs), m_started(::GetTickCount())
{
    g_script = this;
    m_timer = ::SetTimer(nullptr, 0, 20, &ModalScript::Tick);
}

ModalScript::~ModalScript()
{
    if (m_timer != 0)
        ::KillTimer(nullptr, m_timer);
    g_script = nullptr;
}

void ModalScript::WhenWindow(std::string caption, std::function<void(HWND)> step)
{
    Add([caption] { return win32_test::VisibleWindowTitled(caption, ::GetCurrentThreadId()); },
        [](HWND window) { ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0); }, std::move(step));
}

void ModalScript::Add(std::function<HWND()> find, std::function<void(HWND)> end, std::function<void(HWND)> body)
{
    m_steps.push_back(Step{std::move(find), std::move(end), std::move(body)});
}

int ModalScript::StepsNotRun() const
{
    int count = 0;
    for (const Step& step : m_steps)
        count += step.started ? 0 : 1;
    return count;
}

void CALLBACK ModalScript::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_script != nullptr)
        g_script->RunReadySteps();
}

void ModalScript::RunReadySteps()
{
    if (!m_expired && ::GetTickCount() - m_started > m_deadline) {
        m_expired = true;
        ADD_FAILURE() << "a modal dialog outlasted the script's deadline";
        for (Step& step : m_steps)
            if (HWND window = step.find(); window != nullptr)
                step.end(window);
        return;
    }
    // By index: a step may add steps, and a nested run re-enters here.
    for (std::size_t i = 0; i < m_steps.size(); ++i) {
        HWND hwnd = m_steps[i].find();
        if (m_steps[i].started || hwnd == nullptr || !::IsWindowVisible(hwnd))
            continue;
        m_steps[i].started = true;
        const Step step = m_steps[i];
        PumpPaint();
        step.body(hwnd);
        if (HWND left = step.find(); left != nullptr && ::IsWindowVisible(left))
            step.end(left);
        return;
    }
}

bool Click(HWND dialog, int controlId)
{
    HWND control = ::GetDlgItem(dialog, controlId);
    if (control == nullptr || !::IsWindowVisible(control) || !::IsWindowEnabled(control))
        return false;
    ::SendMessageA(control, BM_CLICK, 0, 0);
    return true;
}

RECT ClientRectOf(HWND dialog, HWND control)
{
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void PumpPaint()
{
    // Paints only: input and timers wait for the dialog's own loop.
    MSG msg{};
    for (int i = 0; i < 200 && ::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
        ::DispatchMessageA(&msg);
    ::GdiFlush();
}

}  // namespace scenario
