# What the MinGW-w64 toolchains share; the toolchain file that includes this
# names the target in LUMIVANE_MINGW_PREFIX (i686-w64-mingw32 for lumva.cpl,
# x86_64-w64-mingw32 for running the Win32 tests where Wine cannot run
# 32-bit programs).
set(CMAKE_SYSTEM_NAME Windows)

# The thread model. posix: GCC 12's libstdc++ has std::mutex and
# std::condition_variable only there, and GoogleTest's Windows port needs
# both; its winpthreads comes in statically (below), so nothing imports a
# DLL beyond the system's own, but winpthreads calls functions of Windows XP
# and later. win32: what lumva.cpl for Windows 98 is built with; the applet
# needs no thread. The toolchain file gives the default, and
# -DLUMIVANE_MINGW_THREADS=posix|win32 overrides it.
set(LUMIVANE_MINGW_THREADS "${LUMIVANE_MINGW_DEFAULT_THREADS}" CACHE STRING "MinGW thread model: posix or win32")
set(CMAKE_C_COMPILER ${LUMIVANE_MINGW_PREFIX}-gcc-${LUMIVANE_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${LUMIVANE_MINGW_PREFIX}-g++-${LUMIVANE_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${LUMIVANE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LUMIVANE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's runtime (libgcc, libstdc++, winpthreads) linked into every
# program and module: a Windows machine has none of those DLLs.
set(LUMIVANE_MINGW_STATIC_RUNTIME "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${LUMIVANE_MINGW_STATIC_RUNTIME}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${LUMIVANE_MINGW_STATIC_RUNTIME}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${LUMIVANE_MINGW_STATIC_RUNTIME}")

# Test programs run under Wine; the tests themselves go through
# scripts/wine-test.sh, which gives Wine a prefix and a display of its own.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
