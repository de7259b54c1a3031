#pragma once
// Starting the external logo editor, in WinExec's place.

#include "platform/WinTypes.h"

#include <string>

#if defined(_WIN32)
// The system headers spell these as macros; here they are constants of our own.
#undef ERROR_FILE_NOT_FOUND
#undef ERROR_PATH_NOT_FOUND
#undef ERROR_ACCESS_DENIED
#undef ERROR_NOT_ENOUGH_MEMORY
#undef ERROR_BAD_FORMAT
#endif

namespace platform {

// Results of 31 or less are errors, as WinExec reports them.
constexpr UINT ERROR_OUT_OF_RESOURCES = 0;
constexpr UINT ERROR_FILE_NOT_FOUND = 2;
constexpr UINT ERROR_PATH_NOT_FOUND = 3;
constexpr UINT ERROR_ACCESS_DENIED = 5;
constexpr UINT ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr UINT ERROR_BAD_FORMAT = 11;
constexpr UINT WINEXEC_STARTED = 33;

// Whether every program here ends in .exe, as on Windows; on Linux a
// program may have any name, so a dialog that picks one offers all files too.
#if defined(_WIN32)
constexpr bool kProgramsEndInExe = true;
#else
constexpr bool kProgramsEndInExe = false;
#endif

// Starts program with argument as its single argument (none when empty) and
// returns at once, never through a shell. Both are Windows or host paths and
// are resolved to host paths (an argument that names no path is passed as
// it is); blanks in either need no quoting. A bare name without any
// separator is looked up in PATH, as WinExec searches the path. Returns
// WINEXEC_STARTED (> 31) once the program runs, else an error code <= 31:
// a missing program, a missing folder on its path, a program that may not be
// run (a folder, no execute permission) or that is not a program at all.
// A Windows program (a PE file, known by its content) is started as
// "wine PROGRAM ARGUMENT" when wine is on PATH, and is not a program
// (ERROR_BAD_FORMAT) without it.
// showCmd is accepted for the caller's sake; the program opens its own window.
UINT WinExec(const std::string& program, const std::string& argument, int showCmd);

}  // namespace platform
