#pragma once
// The application object of lumva.cpl. Created without a name, so the
// framework names it after the module file ("lumva"); its only addition to
// the framework's application is the settings store's product key.

#include "platform/ui/CWinApp.h"

// The product key every setting of the applet lives under.
inline constexpr const char* kAppletProductKey = "Lumivane";

class CAppletApp : public platform::CWinApp {
public:
    CAppletApp();

    BOOL InitInstance() override;
};
