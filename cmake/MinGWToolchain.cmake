# What the MinGW-w64 toolchains share; the toolchain file that includes this
# names the target in LUMIVANE_MINGW_PREFIX (i686-w64-mingw32 for lumva.cpl,
# x86_64-w64-mingw32 for running the Win32 tests where Wine cannot run
# 32-bit programs).
set(CMAKE_SYSTEM_NAME Windows)

# The thread model picks the compiler variant. win32, for what ships:
# posix's winpthreads imports calls that Windows 9x lacks (GetTickCount64,
# TryEnterCriticalSection, AddVectoredExceptionHandler), so lumva.cpl would
# not load there. posix, for the tests: GCC 12's libstdc++ has std::mutex and
# std::condition_variable only there, and GoogleTest's Windows port needs
# both. The toolchain file names its default; -DLUMIVANE_MINGW_THREADS chooses.
if(NOT LUMIVANE_MINGW_THREADS)
    set(LUMIVANE_MINGW_THREADS ${LUMIVANE_MINGW_DEFAULT_THREADS})
endif()
set(CMAKE_C_COMPILER ${LUMIVANE_MINGW_PREFIX}-gcc-${LUMIVANE_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${LUMIVANE_MINGW_PREFIX}-g++-${LUMIVANE_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${LUMIVANE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LUMIVANE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's runtime (libgcc, libstdc++, winpthreads if any) linked into every
# program and module: a Windows machine has none of those DLLs.
set(LUMIVANE_MINGW_STATIC_RUNTIME "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${LUMIVANE_MINGW_STATIC_RUNTIME}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${LUMIVANE_MINGW_STATIC_RUNTIME}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${LUMIVANE_MINGW_STATIC_RUNTIME}")

# Test programs run under Wine; the tests themselves go through
# scripts/wine-test.sh, which gives Wine a prefix and a display of its own.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
