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

count_tests(all)
count_tests(unlabelled -LE .)
count_tests(xvfb_named -R "\\.xvfb$" -FA ".*")
count_tests(xvfb_labelled -R "\\.xvfb$" -L xvfb -FA ".*")
execute_process(COMMAND "${CTEST}" --test-dir "${BUILD_DIR}" -R "\\.xvfb$" -FA ".*" --show-only=json-v1
                OUTPUT_VARIABLE json)
string(REGEX MATCHALL "QT_QPA_PLATFORM=xcb" platforms "${json}")
string(REGEX MATCHALL "LUMIVANE_TEST_DISPLAY_FILE=" displays "${json}")
list(LENGTH platforms platform_count)
list(LENGTH displays display_count)

if(NOT unlabelled EQUAL 0)
    message(FATAL_ERROR "${unlabelled} of ${all} tests carry no label")
endif()
if(xvfb_named EQUAL 0 OR NOT xvfb_labelled EQUAL xvfb_named)
    message(FATAL_ERROR "${xvfb_labelled} of ${xvfb_named} X server tests carry the xvfb label")
endif()
if(NOT platform_count EQUAL xvfb_named OR NOT display_count EQUAL xvfb_named)
    message(FATAL_ERROR "of ${xvfb_named} X server tests, ${platform_count} get the xcb platform and "
                        "${display_count} the display file")
endif()
count_tests(wayland_named -R "\\.wayland$" -FA ".*")
count_tests(wayland_labelled -R "\\.wayland$" -L wayland -FA ".*")
execute_process(COMMAND "${CTEST}" --test-dir "${BUILD_DIR}" -R "\\.wayland$" -FA ".*" --show-only=json-v1
                OUTPUT_VARIABLE wayland_json)
string(REGEX MATCHALL "QT_QPA_PLATFORM=wayland" wayland_platforms "${wayland_json}")
string(REGEX MATCHALL "LUMIVANE_TEST_DISPLAY_FILE=" wayland_displays "${wayland_json}")
list(LENGTH wayland_platforms wayland_platform_count)
list(LENGTH wayland_displays wayland_display_count)
if(NOT wayland_labelled EQUAL wayland_named OR NOT wayland_platform_count EQUAL wayland_named
   OR NOT wayland_display_count EQUAL wayland_named)
    message(FATAL_ERROR "of ${wayland_named} Wayland tests, ${wayland_labelled} carry the wayland label, "
                        "${wayland_platform_count} get the wayland platform and ${wayland_display_count} the display file")
endif()
message(STATUS "${all} tests labelled, ${xvfb_named} of them on the X server, ${wayland_named} on Wayland")
