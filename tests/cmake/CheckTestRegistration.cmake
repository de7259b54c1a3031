# cmake -DBUILD_DIR=<build> -DCTEST=<ctest> -P CheckTestRegistration.cmake
# Fails unless every registered test carries a label, and every ".xvfb" test
# carries the xvfb label and its whole environment (the platform and the
# display file), which a list split apart by test discovery can lose; the
# same for every ".wayland" test, where there are any.
function(count_tests out)
    execute_process(COMMAND "${CTEST}" --test-dir "${BUILD_DIR}" -N ${ARGN} OUTPUT_VARIABLE listing
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "ctest could not list the tests")
    endif()
    string(REGEX MATCH "Total Tests: ([0-9]+)" found "${listing}")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

# Every copy named `suffix` carries `label`, the platform and the display
# file; sets <suffix>_count to how many there are.
function(check_display_copies suffix label platform)
    count_tests(named -R "\\.${suffix}$" -FA ".*")
    count_tests(labelled -R "\\.${suffix}$" -L ${label} -FA ".*")
    execute_process(COMMAND "${CTEST}" --test-dir "${BUILD_DIR}" -R "\\.${suffix}$" -FA ".*" --show-only=json-v1
                    OUTPUT_VARIABLE json)
    string(REGEX MATCHALL "QT_QPA_PLATFORM=${platform}" platforms "${json}")
    string(REGEX MATCHALL "LUMIVANE_TEST_DISPLAY_FILE=" displays "${json}")
    list(LENGTH platforms platform_count)
    list(LENGTH displays display_count)
    if(NOT labelled EQUAL named OR NOT platform_count EQUAL named OR NOT display_count EQUAL named)
        message(FATAL_ERROR "of ${named} .${suffix} tests, ${labelled} carry the ${label} label, "
                            "${platform_count} get the ${platform} platform and ${display_count} the display file")
    endif()
    set(${suffix}_count ${named} PARENT_SCOPE)
endfunction()

count_tests(all)
count_tests(unlabelled -LE .)
if(NOT unlabelled EQUAL 0)
    message(FATAL_ERROR "${unlabelled} of ${all} tests carry no label")
endif()
check_display_copies(xvfb xvfb xcb)
if(xvfb_count EQUAL 0)
    message(FATAL_ERROR "no test runs on the X server")
endif()
check_display_copies(wayland wayland wayland)
message(STATUS "${all} tests labelled, ${xvfb_count} of them on the X server, ${wayland_count} on Wayland")
