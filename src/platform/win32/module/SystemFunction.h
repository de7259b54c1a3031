#pragma once
// A function of a system DLL looked up at run time, for calls the module
// must not import by name (missing, or there only to fail, on some Windows versions).

#include <windows.h>

#include <atomic>
#include <cstdint>

namespace platform::win32 {

template <typename Function> Function SystemFunction(const char* dll, const char* name)
{
    HMODULE module = ::GetModuleHandleA(dll);
    if (module == nullptr)
        module = ::LoadLibraryA(dll);
    return module != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)))
                             : nullptr;
}

// A system function looked up on its first call and remembered, for the
// import slots. Declare it constinit at namespace scope, never as a
// function-local static: the compiler's runtime calls the slots before any
// constructor runs, and from inside its own one-time initialisation, whose
// guard a local static would enter again and wait on for ever. It takes no
// lock; threads that race to look it up store the same address.
template <typename Function> class LateBoundFunction {
public:
    constexpr LateBoundFunction(const char* dll, const char* name) noexcept
        : m_dll(dll)
        , m_name(name)
    {
    }
    LateBoundFunction(const LateBoundFunction&) = delete;
    LateBoundFunction& operator=(const LateBoundFunction&) = delete;

    // The function, or nullptr where the system lacks it.
    Function Get() noexcept
    {
        std::uintptr_t found = m_found.load(std::memory_order_acquire);
        if (found == kNotLookedUp) {
            const Function function = SystemFunction<Function>(m_dll, m_name);
            found = function != nullptr ? reinterpret_cast<std::uintptr_t>(function) : kMissing;
            m_found.store(found, std::memory_order_release);
        }
        return found == kMissing ? nullptr : reinterpret_cast<Function>(found);
    }

private:
    // No function lives at these addresses.
    static constexpr std::uintptr_t kNotLookedUp = 0;
    static constexpr std::uintptr_t kMissing = 1;
    static_assert(std::atomic<std::uintptr_t>::is_always_lock_free);

    const char* m_dll;
    const char* m_name;
    std::atomic<std::uintptr_t> m_found{kNotLookedUp};
};

// Windows 95, 98 and Me set the top bit of the version (asked each time:
// GetVersion is cheap, and a remembered answer would need the state above).
inline bool OnWindows9x()
{
    return (::GetVersion() & 0x80000000U) != 0;
}

// A wide-character call of the system, or nullptr on Windows 9x, which
// exports them only to fail (and whose msvcrt's wide calls end there too):
// the caller then takes the ANSI way, whatever the DLL offers.
template <typename Function> Function WideSystemFunction(LateBoundFunction<Function>& function)
{
    return OnWindows9x() ? nullptr : function.Get();
}

}  // namespace platform::win32
