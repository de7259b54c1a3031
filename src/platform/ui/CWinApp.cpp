// The application object without its tear-down: naming, the profile calls
// over the settings store and AfxWinInit need no toolkit. AfxWinTerm, which
// drops the back end's own window wrappers, lives with each back end.

#include "platform/ui/CWinApp.h"
#include "platform/ui/ResourceLoading.h"
#include "platform/settings/ApplicationProfile.h"
#include "platform/settings/SettingsFile.h"

namespace platform {

namespace {

CWinApp* g_app = nullptr;

// "/x/y/lumva.cpl" or "C:\\x\\lumva.cpl" -> "lumva".
std::string ModuleBaseName(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    return name;
}

}  // namespace

CWinApp::CWinApp(const char* appName)
{
    if (appName != nullptr) {
        SetAppName(appName);
    }
    g_app = this;
    NameApplicationProfile(m_registryKey, m_appName);
}

CWinApp::~CWinApp()
{
    if (g_app == this) {
        g_app = nullptr;
        ForgetApplicationProfile();
    }
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

void CWinApp::SetAppName(const std::string& name)
{
    m_appName = name;
    m_pszAppName = m_appName.c_str();
    PublishProfile();
}

void CWinApp::SetRegistryKey(const char* productKey)
{
    m_registryKey = productKey != nullptr ? productKey : "";
    m_pszRegistryKey = productKey != nullptr ? m_registryKey.c_str() : nullptr;
    PublishProfile();
}

void CWinApp::PublishProfile() const
{
    if (g_app == this) {
        NameApplicationProfile(m_registryKey, m_appName);
    }
}

std::string CWinApp::ProductKey() const
{
    return m_registryKey;
}

std::string CWinApp::GetProfileString(const std::string& section, const std::string& entry,
                                      const std::string& defaultValue)
{
    return SettingsFile(ProductKey(), m_appName).ReadString(section, entry, defaultValue);
}

BOOL CWinApp::WriteProfileString(const std::string& section, const std::string& entry, const std::string& value)
{
    SettingsFile store(ProductKey(), m_appName);
    return store.WriteString(section, entry, value) ? TRUE : FALSE;
}

UINT CWinApp::GetProfileInt(const std::string& section, const std::string& entry, int defaultValue)
{
    return static_cast<UINT>(SettingsFile(ProductKey(), m_appName).ReadInt(section, entry, defaultValue));
}

BOOL CWinApp::WriteProfileInt(const std::string& section, const std::string& entry, int value)
{
    SettingsFile store(ProductKey(), m_appName);
    return store.WriteInt(section, entry, value) ? TRUE : FALSE;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

BOOL AfxWinInit(const std::string& moduleFileName)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr || app->m_pszAppName != nullptr) {
        return TRUE;
    }
    std::string name = LoadStringA(AFX_IDS_APP_TITLE);
    if (name.empty()) {
        name = ModuleBaseName(moduleFileName);
    }
    if (name.empty()) {
        return FALSE;
    }
    app->SetAppName(name);
    return TRUE;
}

}  // namespace platform
