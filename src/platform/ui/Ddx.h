#pragma once
// Data exchange between dialog members and controls, for DoDataExchange.
// Each function does nothing once the pass has failed.

#include "platform/WinTypes.h"

#include <string>

namespace platform {

class CDataExchange;
class CWnd;

// Makes control (a member object) stand for the dialog's control id.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// Window text <-> string.
void DDX_Text(CDataExchange* dx, int id, std::string& value);
// Window text <-> integer; reading fails on anything but an optionally
// signed decimal number in range, blanks around it allowed.
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
// Radio group starting at firstId (the control with WS_GROUP) <-> index of
// the checked button among the group's radio buttons, -1 for none.
void DDX_Radio(CDataExchange* dx, int firstId, int& value);
// Check box / push-like button <-> BST_* value.
void DDX_Check(CDataExchange* dx, int id, int& value);
// Combo box text <-> string. Writing selects the first entry that begins
// with the value ignoring case, or, when none does, sets the edit text.
void DDX_CBString(CDataExchange* dx, int id, std::string& value);

}  // namespace platform
