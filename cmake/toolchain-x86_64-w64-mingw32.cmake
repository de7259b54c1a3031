# Cross-compiling the same sources for 64-bit Windows: the Win32 tests run
# under wine64 on machines that cannot run 32-bit programs. lumva.cpl for
# Windows 9x is the i686 build.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LUMIVANE_MINGW_PREFIX x86_64-w64-mingw32)
set(LUMIVANE_MINGW_DEFAULT_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/MinGWToolchain.cmake)

# Debian's wine on the path needs the 32-bit loader; the 64-bit one is here.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
