#pragma once
// An edit control.

#include "platform/ui/CWnd.h"

namespace platform {

class CEdit : public CWnd {
public:
    // Selects characters start..end-1; (0, -1) selects everything.
    void SetSel(int start, int end);
    void GetSel(int& start, int& end) const;
    void ReplaceSel(const std::string& text);
};

}  // namespace platform
