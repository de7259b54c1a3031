# The same sources for 64-bit Windows: the Win32 tests on a machine whose
# Wine runs only 64-bit programs (a kernel without 32-bit support).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LUMIVANE_MINGW_PREFIX x86_64-w64-mingw32)
set(LUMIVANE_MINGW_DEFAULT_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/MinGWToolchain.cmake)
