#pragma once
// The slot commands of lumva-logo, for scripts: the main dialog's slots,
// Apply and Save Logo to File on a folder drive, a disk image or a Wine
// prefix, through the applet's own slot rules.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

inline constexpr std::string_view kSlotUsage =
    "       lumva-logo slots [LOCATION...]\n"
    "       lumva-logo apply [LOCATION...] [--startup FILE|default] [--preshutdown FILE|default]\n"
    "                        [--shutdown FILE|default]\n"
    "       lumva-logo save [LOCATION...] SLOT OUT\n"
    "       lumva-logo boot [LOCATION...] [--logo on|off]\n"
    "       lumva-logo rotate [LOCATION...] --gallery DIR [--random|--next] [--slot SLOT]\n"
    "LOCATION: --drive X:=DIR|IMAGE[@N] --windows-dir PATH --system-dir PATH --wine-prefix DIR\n"
    "SLOT: startup, preshutdown or shutdown\n";

// arguments: what follows the command's name.
int RunSlotsCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
int RunApplyCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
int RunSaveCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tools
