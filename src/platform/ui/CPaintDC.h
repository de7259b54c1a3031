#pragma once
// The device context of a window's paint: draws into the window's client
// buffer, which the framework has filled with the dialog face colour.

#include "platform/ui/CDC.h"

namespace platform {

class CWnd;

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* window);
};

}  // namespace platform
