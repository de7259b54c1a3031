# Fails when a Windows program or module imports a DLL that is not part of
# Windows itself: the compiler's runtime (libgcc, libstdc++, winpthreads)
# has to be linked in, as nobody's Windows has it.
#   cmake -DOBJDUMP=<objdump> -DBINARY=<file.exe|file.cpl> -P CheckImports.cmake

cmake_minimum_required(VERSION 3.25)

set(system_dlls
    advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
    oleaut32.dll shell32.dll shlwapi.dll user32.dll version.dll winmm.dll)

execute_process(COMMAND ${OBJDUMP} -p ${BINARY}
                OUTPUT_VARIABLE dump ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${BINARY} failed: ${errors}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${dump}")
set(foreign "")
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^DLL Name: *" "" dll "${line}")
    string(STRIP "${dll}" dll)
    string(TOLOWER "${dll}" dll)
    if(NOT dll IN_LIST system_dlls)
        list(APPEND foreign ${dll})
    endif()
endforeach()

if(foreign)
    message(FATAL_ERROR "${BINARY} imports DLLs that are not Windows' own: ${foreign}")
endif()
list(LENGTH lines count)
message(STATUS "${BINARY}: ${count} imported DLLs, all Windows' own")
