#pragma once
// The Control Panel applet protocol, as the module answers it and the host
// (and the tests) speak it: message codes, the record CPL_INQUIRE fills and
// the entry point's signature.

#include "platform/WinTypes.h"

#include <cstdint>

constexpr UINT CPL_INIT = 1;
constexpr UINT CPL_GETCOUNT = 2;
constexpr UINT CPL_INQUIRE = 3;
constexpr UINT CPL_SELECT = 4;
constexpr UINT CPL_DBLCLK = 5;
constexpr UINT CPL_STOP = 6;
constexpr UINT CPL_EXIT = 7;
constexpr UINT CPL_NEWINQUIRE = 8;

// Four signed 32-bit fields, in this order, as the Control Panel reads them.
struct CPLINFO {
    std::int32_t idIcon;
    std::int32_t idName;
    std::int32_t idInfo;
    std::int32_t lData;
};
static_assert(sizeof(CPLINFO) == 16);

// lParam1 is the item number, lParam2 points to a CPLINFO for CPL_INQUIRE.
using APPLET_PROC = LONG (*)(HWND hwndCPl, UINT message, LPARAM lParam1, LPARAM lParam2);

// The name the module exports its entry under.
inline constexpr const char* kCplAppletSymbol = "CPlApplet";
