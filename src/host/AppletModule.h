#pragma once
// A loaded Control Panel module: dlopen, the CPlApplet entry, dlclose.

#include <cstdint>
#include <memory>
#include <string>

namespace host {

// The entry's types with Windows' meanings and sizes: LONG is 32 bits,
// LPARAM pointer-sized so lParam2 can carry a CPLINFO pointer.
using LONG = std::int32_t;
using UINT = std::uint32_t;
using LPARAM = std::intptr_t;
using HWND = void*;
using AppletProc = LONG (*)(HWND, UINT, LPARAM, LPARAM);

// The Control Panel protocol.
enum AppletMessage : UINT {
    CPL_INIT = 1,
    CPL_GETCOUNT = 2,
    CPL_INQUIRE = 3,
    CPL_SELECT = 4,
    CPL_DBLCLK = 5,
    CPL_STOP = 6,
    CPL_EXIT = 7,
    CPL_NEWINQUIRE = 8,
};

struct CPLINFO {
    std::int32_t idIcon;
    std::int32_t idName;
    std::int32_t idInfo;
    std::int32_t lData;
};

class AppletModule {
public:
    // Loads the module and finds CPlApplet; nullptr with the reason (the
    // loader's own words) when either fails.
    static std::unique_ptr<AppletModule> Load(const std::string& path, std::string& error);
    ~AppletModule();  // unloads
    AppletModule(const AppletModule&) = delete;
    AppletModule& operator=(const AppletModule&) = delete;

    LONG Send(UINT message, LPARAM lParam1 = 0, LPARAM lParam2 = 0) const;

private:
    AppletModule(void* handle, AppletProc entry) : m_handle(handle), m_entry(entry) {}

    void* m_handle;
    AppletProc m_entry;
};

}  // namespace host
