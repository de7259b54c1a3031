#pragma once
// The logo files of the test prefix where the system keeps them
// (C:\logo.sys and the Windows folder's logow.sys and logos.sys), pictures
// to pick in C:\lumivane-test, and the applet's settings key, for the tests
// that run the applet in the prefix.

#include "common/TestFiles.h"
#include "tests/win32/RegistryTesting.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace scenario {

using Bytes = std::vector<std::uint8_t>;

using win32_test::RegistryValue;

// The Windows folder as the prefix reports it, with its backslash, and the
// three logo files where the system looks for them.
std::string WindowsFolder();
std::string StartUpFile();
std::string PreShutDownFile();
std::string ShutDownFile();
// A file in the test's picture folder.
std::string Picture(const std::string& name);

// Writes a logo file (animated when count is not 0); returns its bytes.
Bytes WriteLogo(const std::string& path, unsigned seed, std::uint8_t count = 0);
inline Bytes ReadBytes(const std::string& path) { return testing_support::ReadAll(path); }
// The three system files, each a different static logo.
void WriteSystemLogos();

// HKEY_CURRENT_USER\Software\Lumivane\lumva\<section>, value <entry>.
std::optional<RegistryValue> Stored(const std::string& section, const std::string& entry);

// The size of a file, or -1 when it cannot be opened.
long long FileSize(const std::string& path);

// No logo files, an empty picture folder and no settings, as a test starts
// (the folder made) and ends (the folder gone).
void ResetPrefix(bool withPictureFolder);

}  // namespace scenario
