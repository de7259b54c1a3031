#pragma once
// The application object. One instance (usually static) exists for the life
// of the module; AfxGetApp finds it. Profile settings go to the settings
// file of the product key (SetRegistryKey) and the application name.

#include "platform/WinTypes.h"

#include <string>

namespace platform {

class CWinApp {
public:
    // appName nullptr: AfxWinInit names the application.
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    void SetRegistryKey(const char* productKey);

    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& defaultValue = std::string());
    BOOL WriteProfileString(const std::string& section, const std::string& entry, const std::string& value);
    UINT GetProfileInt(const std::string& section, const std::string& entry, int defaultValue);
    BOOL WriteProfileInt(const std::string& section, const std::string& entry, int value);

    const char* m_pszAppName = nullptr;      // nullptr until named
    const char* m_pszRegistryKey = nullptr;  // nullptr until SetRegistryKey

    // Framework side: names the application (keeps its own copy).
    void SetAppName(const std::string& name);

private:
    std::string ProductKey() const;
    // Names the settings of the running application after this object.
    void PublishProfile() const;

    std::string m_appName;
    std::string m_registryKey;
};

CWinApp* AfxGetApp();
// Framework start-up for a module: when the application has no name yet it
// takes the string table's title entry, or else the module file's base
// name without directory and extension ("/x/lumva.cpl" -> "lumva").
BOOL AfxWinInit(const std::string& moduleFileName);
// Framework tear-down: drops the temporary window wrappers.
void AfxWinTerm();

// The string id of the application title entry.
constexpr UINT AFX_IDS_APP_TITLE = 0xE000;

}  // namespace platform
