#pragma once
// Style combinations shared by the templates.

#include "platform/WinTypes.h"

namespace res::styles {

// Every push button of the applet is flat with its caption centred both ways.
constexpr DWORD kFlatButton = BS_PUSHBUTTON | BS_FLAT | BS_CENTER | BS_VCENTER | WS_TABSTOP;
constexpr DWORD kFlatDefaultButton = BS_DEFPUSHBUTTON | BS_FLAT | BS_CENTER | BS_VCENTER | WS_TABSTOP;
// Bitmap buttons show a face instead of a caption and are no tab stops.
constexpr DWORD kFaceButton = BS_PUSHBUTTON | BS_BITMAP | BS_FLAT | BS_CENTER | BS_VCENTER;
// An edit field that takes digits only.
constexpr DWORD kNumberField = ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP;

// A pop-up with a title bar, a system menu and a modal frame.
constexpr DWORD kCaptionedDialog = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
// A modal frame without a title bar.
constexpr DWORD kBareDialog = WS_POPUP | DS_MODALFRAME | DS_SETFONT;

constexpr const char* kFontName = "MS Sans Serif";
constexpr int kFontPointSize = 8;

}  // namespace res::styles
