#pragma once
// What Windows 9x does with the start-up logo at boot, as its MSDOS.SYS
// says: it shows it unless [Options] has BootGUI=0 (the boot ends at the DOS
// prompt) or Logo=0; on a compressed boot drive it reads it from the root of
// the host drive ([Paths] HostWinBootDrv), where MSDOS.SYS itself lies.

#include "logo/LogoCheck.h"
#include "slots/BootOptionsFile.h"

#include <string>
#include <vector>

// The logo check's findings about the boot, for the start-up logo at
// startUpFile (a Windows path such as C:\logo.sys):
//   boot-gui-off     problem  BootGUI=0
//   boot-logo-off    problem  Logo=0
//   boot-drive       problem  startUpFile is not on the drive that holds
//                             MSDOS.SYS, where Windows reads the logo
//   boot-host-drive  advice   the boot drive is compressed: the logo is read
//                             from its host drive, beside MSDOS.SYS
//   boot-dos-kernel  advice   MSDOS.SYS is the DOS kernel, not Windows's options
//   boot-unreadable  advice   MSDOS.SYS cannot be read
// None when the logo is shown or there is no MSDOS.SYS.
std::vector<logo::Finding> BootFindings(const BootOptionsFile& file, const std::string& startUpFile);

// One line for lumva-logo slots after "boot: ", e.g.
//   C:\MSDOS.SYS present logo=shown
//   C:\MSDOS.SYS present logo=never (BootGUI=0, Logo=0) host-drive=H
//   C:\MSDOS.SYS present logo=shown read-from=C:\   (the start-up file is elsewhere)
//   C:\MSDOS.SYS present dos-kernel
//   C:\MSDOS.SYS missing
std::string BootLine(const BootOptionsFile& file, const std::string& startUpFile);

// What happens to the start-up logo at boot, in a few words for the Boot
// Screen window's status line ("Logo=0 in C:\MSDOS.SYS turns the logo
// off."); no text when there is no MSDOS.SYS. problem: the logo will not be
// shown (or not from startUpFile).
struct BootSentence {
    std::string text;
    bool problem = false;
};
BootSentence DescribeBoot(const BootOptionsFile& file, const std::string& startUpFile);
