#pragma once
// A combo box (CBS_DROPDOWN: an edit field with an unsorted list).

#include "platform/ui/CWnd.h"

#include <string>

namespace platform {

class CComboBox : public CWnd {
public:
    // Appends an entry; returns its index.
    int AddString(const std::string& text);
    void ResetContent();
    int GetCount() const;
    // The entry's text; empty for an index out of range (and the result is CB_ERR).
    int GetLBText(int index, std::string& text) const;
    std::string GetLBText(int index) const;
    int GetCurSel() const;
    // Selects an entry and shows its text; -1 clears the selection. CB_ERR
    // for an index out of range.
    int SetCurSel(int index);
    // Selects the first entry after startAfter (-1: from the top, wrapping
    // round the whole list) that begins with prefix, ignoring case; returns
    // its index, or CB_ERR leaving the selection and text as they were.
    int SelectString(int startAfter, const std::string& prefix);
    // The first entry that begins with prefix, ignoring case, without selecting it.
    int FindString(int startAfter, const std::string& prefix) const;
};

}  // namespace platform
