# Fails when an object of the import slots enters the compiler's guard of
# function-local statics. The runtime calls the slots while it starts, and
# from inside that guard's own set-up: a guarded static there waits on
# itself for ever, and the module never finishes loading.
#   cmake -DNM=<nm> -DOBJECTS=<object>[|<object>...] -P CheckImportSlotsUnguarded.cmake

cmake_minimum_required(VERSION 3.25)

string(REPLACE "|" ";" objects "${OBJECTS}")
foreach(object IN LISTS objects)
    execute_process(COMMAND ${NM} --undefined-only ${object}
                    OUTPUT_VARIABLE symbols ERROR_VARIABLE errors RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${NM} ${object} failed: ${errors}")
    endif()
    if(symbols MATCHES "__cxa_guard_acquire")
        message(FATAL_ERROR "${object} keeps a guarded function-local static; the import slots must not "
                            "(constinit LateBoundFunction, platform/win32/module/SystemFunction.h)")
    endif()
endforeach()
