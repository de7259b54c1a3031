# The Win32 build: lumva.cpl for Windows from the same applet sources, over
# the Win32 back end of the platform layer. Included by the top-level
# CMakeLists.txt when cross-compiling for Windows; Qt is not used.

add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0400 WINVER=0x0400 _WIN32_IE=0x0400)

# lumva.cpl lands at the top of the build folder.
set(LUMIVANE_BIN_DIR ${CMAKE_BINARY_DIR})

# Resources compiled by windres from a script that a native build of the
# resource compiler writes.
enable_language(RC)

add_subdirectory(src/logo)
add_subdirectory(src/platform/modres)
add_subdirectory(src/platform/win32)
add_subdirectory(src/resources)
add_subdirectory(src/slots)
add_subdirectory(src/editor)
add_subdirectory(src/convert)
add_subdirectory(src/export)
add_subdirectory(src/ui)
add_subdirectory(src/applet)

# The Win32 tests, run under Wine (make test-win32). Last, so that they can
# see every target above.
enable_testing()
add_subdirectory(tests/win32)
