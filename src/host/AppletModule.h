#pragma once
// A loaded Control Panel module: dlopen, the CPlApplet entry, dlclose.

#include "platform/ui/ControlPanel.h"

#include <cstdint>
#include <memory>
#include <string>

namespace host {

using AppletProc = APPLET_PROC;

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
