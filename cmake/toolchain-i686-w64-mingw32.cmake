# Cross-compiling lumva.cpl for 32-bit Windows with Debian's MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(LUMIVANE_MINGW_PREFIX i686-w64-mingw32)
# Windows 9x loads only what the win32 thread model builds; the tests of this
# target are built with -DLUMIVANE_MINGW_THREADS=posix in a folder of their own.
set(LUMIVANE_MINGW_DEFAULT_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGWToolchain.cmake)
