# lumivane_add_test_target(<target> LABEL <label> [GUI [NO_XVFB]] [DISCOVERY_TIMEOUT <s>])
#
# Registers the GoogleTest cases of one test executable with ctest, all with
# the same label and environment. A GUI executable is registered twice: once
# offscreen, and once more (names ending in ".xvfb", label "xvfb") on a real X
# server with a window manager, where painting and window frames really happen
# (NO_XVFB: offscreen only). Where Weston and Qt's wayland plugin are
# installed, each such executable is registered a third time on a Wayland
# compositor (names ending in ".wayland", label "wayland").
#
# Properties are set by a script that ctest includes after the discovered
# tests, not through gtest_discover_tests(PROPERTIES): that path splits a
# list value (an ENVIRONMENT of two variables) into separate arguments and
# takes the labels with it.

set(LUMIVANE_XVFB_STATE_DIR "${CMAKE_BINARY_DIR}/xvfb")
find_program(LUMIVANE_XVFB_PROGRAM Xvfb)
find_program(LUMIVANE_WM_PROGRAM openbox)
set(LUMIVANE_WESTON_STATE_DIR "${CMAKE_BINARY_DIR}/weston")
find_program(LUMIVANE_WESTON_PROGRAM weston)
# Qt's plugins live beside its libraries (Debian: <libdir>/qt6/plugins).
get_target_property(_lumivane_qt_gui Qt6::Gui LOCATION)
get_filename_component(_lumivane_qt_libdir "${_lumivane_qt_gui}" DIRECTORY)
find_file(LUMIVANE_QT_WAYLAND_PLUGIN libqwayland-generic.so PATHS "${_lumivane_qt_libdir}/qt6/plugins/platforms"
          NO_DEFAULT_PATH)

function(_lumivane_test_properties_script target list_var label environment)
    set(script "${CMAKE_CURRENT_BINARY_DIR}/${list_var}_properties.cmake")
    set(extra "")
    if(ARGC GREATER 4)
        set(extra "${ARGV4}")
    endif()
    file(WRITE "${script}"
"if(DEFINED ${list_var})
    set_tests_properties(\${${list_var}} PROPERTIES
        LABELS \"${label}\"
        ENVIRONMENT \"${environment}\" ${extra})
endif()
")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script}")
endfunction()

# One X server and window manager for all ".xvfb" tests of this build tree,
# started and stopped by ctest fixtures.
function(_lumivane_xvfb_fixture)
    get_property(done GLOBAL PROPERTY LUMIVANE_XVFB_FIXTURE)
    if(done)
        return()
    endif()
    set_property(GLOBAL PROPERTY LUMIVANE_XVFB_FIXTURE TRUE)
    set(helper "${PROJECT_SOURCE_DIR}/tests/cmake/xvfb-display.sh")
    add_test(NAME xvfb.start COMMAND "${helper}" start "${LUMIVANE_XVFB_STATE_DIR}")
    add_test(NAME xvfb.stop COMMAND "${helper}" stop "${LUMIVANE_XVFB_STATE_DIR}")
    set_tests_properties(xvfb.start PROPERTIES FIXTURES_SETUP lumivane_xvfb LABELS xvfb TIMEOUT 60)
    set_tests_properties(xvfb.stop PROPERTIES FIXTURES_CLEANUP lumivane_xvfb LABELS xvfb TIMEOUT 60)
endfunction()

# The ".wayland" copies of a GUI executable: the same cases on one Weston
# (fixtures start and stop it), through Qt's wayland plugin. A copy takes a
# few seconds; one stuck behind a dialog that never closed ends after 60 s.
function(_lumivane_wayland_copy target label environment discovery_timeout)
    if(NOT LUMIVANE_WESTON_PROGRAM OR NOT LUMIVANE_XVFB_PROGRAM OR NOT LUMIVANE_QT_WAYLAND_PLUGIN)
        message(STATUS "${target}: Weston, Xvfb or Qt's wayland plugin missing, no Wayland copies")
        return()
    endif()
    get_property(done GLOBAL PROPERTY LUMIVANE_WESTON_FIXTURE)
    if(NOT done)
        set_property(GLOBAL PROPERTY LUMIVANE_WESTON_FIXTURE TRUE)
        set(helper "${PROJECT_SOURCE_DIR}/tests/cmake/weston-display.sh")
        add_test(NAME weston.start COMMAND "${helper}" start "${LUMIVANE_WESTON_STATE_DIR}")
        add_test(NAME weston.stop COMMAND "${helper}" stop "${LUMIVANE_WESTON_STATE_DIR}")
        set_tests_properties(weston.start PROPERTIES FIXTURES_SETUP lumivane_weston LABELS wayland TIMEOUT 60)
        set_tests_properties(weston.stop PROPERTIES FIXTURES_CLEANUP lumivane_weston LABELS wayland TIMEOUT 60)
    endif()
    list(REMOVE_ITEM environment QT_QPA_PLATFORM=offscreen)
    list(APPEND environment QT_QPA_PLATFORM=wayland "LUMIVANE_TEST_DISPLAY_FILE=${LUMIVANE_WESTON_STATE_DIR}/display")
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT ${discovery_timeout}
        TEST_SUFFIX .wayland TEST_LIST ${target}_WAYLAND_TESTS)
    _lumivane_test_properties_script(${target} ${target}_WAYLAND_TESTS "wayland;${label}" "${environment}"
        "FIXTURES_REQUIRED lumivane_weston RESOURCE_LOCK lumivane_weston TIMEOUT 60")
endfunction()

# The registration itself is checked by a test of its own.
function(_lumivane_registration_check)
    get_property(done GLOBAL PROPERTY LUMIVANE_REGISTRATION_CHECK)
    if(done)
        return()
    endif()
    set_property(GLOBAL PROPERTY LUMIVANE_REGISTRATION_CHECK TRUE)
    add_test(NAME tests.registration
             COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DCTEST=${CMAKE_CTEST_COMMAND}
                     -P ${PROJECT_SOURCE_DIR}/tests/cmake/CheckTestRegistration.cmake)
    set_tests_properties(tests.registration PROPERTIES LABELS platform TIMEOUT 120)
endfunction()

function(lumivane_add_test_target target)
    _lumivane_registration_check()
    cmake_parse_arguments(ARG "GUI;NO_XVFB" "LABEL;DISCOVERY_TIMEOUT" "" ${ARGN})
    if(NOT ARG_LABEL)
        message(FATAL_ERROR "lumivane_add_test_target(${target}): LABEL is required")
    endif()
    if(NOT ARG_DISCOVERY_TIMEOUT)
        set(ARG_DISCOVERY_TIMEOUT 30)
    endif()

    set(environment "")
    if(ARG_GUI)
        list(APPEND environment QT_QPA_PLATFORM=offscreen)
    endif()
    if(LUMIVANE_SANITIZE AND ARG_GUI)
        # Font and display libraries keep caches until exit that LeakSanitizer reports.
        list(APPEND environment ASAN_OPTIONS=detect_leaks=0)
    endif()

    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT ${ARG_DISCOVERY_TIMEOUT}
        TEST_LIST ${target}_TESTS)
    _lumivane_test_properties_script(${target} ${target}_TESTS "${ARG_LABEL}" "${environment}")

    if(NOT ARG_GUI OR ARG_NO_XVFB)
        return()
    endif()
    if(NOT LUMIVANE_XVFB_PROGRAM OR NOT LUMIVANE_WM_PROGRAM)
        message(STATUS "${target}: Xvfb or openbox missing, its tests run offscreen only")
        return()
    endif()
    _lumivane_xvfb_fixture()
    set(xvfb_environment "${environment}")
    list(REMOVE_ITEM xvfb_environment QT_QPA_PLATFORM=offscreen)
    list(APPEND xvfb_environment QT_QPA_PLATFORM=xcb "LUMIVANE_TEST_DISPLAY_FILE=${LUMIVANE_XVFB_STATE_DIR}/display")
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT ${ARG_DISCOVERY_TIMEOUT}
        TEST_SUFFIX .xvfb TEST_LIST ${target}_XVFB_TESTS)
    # One display, one focus: the X tests never run side by side.
    _lumivane_test_properties_script(${target} ${target}_XVFB_TESTS "xvfb;${ARG_LABEL}" "${xvfb_environment}"
        "FIXTURES_REQUIRED lumivane_xvfb RESOURCE_LOCK lumivane_xvfb")
    _lumivane_wayland_copy(${target} "${ARG_LABEL}" "${environment}" ${ARG_DISCOVERY_TIMEOUT})
endfunction()
