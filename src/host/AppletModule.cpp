#include "host/AppletModule.h"

#include <dlfcn.h>

namespace host {

namespace {

std::string LoaderError()
{
    const char* text = ::dlerror();
    return text != nullptr ? text : "unknown loader error";
}

}  // namespace

std::unique_ptr<AppletModule> AppletModule::Load(const std::string& path, std::string& error)
{
    // A bare name would send dlopen searching the library path; the module
    // is always a file we name.
    const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    ::dlerror();
    void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        error = "cannot load " + path + ": " + LoaderError();
        return nullptr;
    }
    ::dlerror();
    void* symbol = ::dlsym(handle, "CPlApplet");
    if (symbol == nullptr) {
        error = path + " is not a Control Panel module: it has no CPlApplet entry (" + LoaderError() + ")";
        ::dlclose(handle);
        return nullptr;
    }
    return std::unique_ptr<AppletModule>(new AppletModule(handle, reinterpret_cast<AppletProc>(symbol)));
}

AppletModule::~AppletModule()
{
    ::dlclose(m_handle);
}

LONG AppletModule::Send(UINT message, LPARAM lParam1, LPARAM lParam2) const
{
    // The host has no Control Panel window to offer.
    return m_entry(nullptr, message, lParam1, lParam2);
}

}  // namespace host
