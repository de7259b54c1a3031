# lumivane_add_test_target(<target> LABEL <label> [GUI [OFFSCREEN_ONLY]] [DISCOVERY_TIMEOUT <s>])
#
# Registers the GoogleTest cases of one test executable with ctest, all with
# the same label and environment, under stable names (a suite's own name
# generator, never the bytes of its parameter). A GUI executable runs
# offscreen, and once more on every display kind (below), where painting and
# window frames really happen (OFFSCREEN_ONLY: offscreen alone). The
# sanitizer pass runs a GUI executable once: on the first display kind.
#
# lumivane_add_display_kind(<kind> START_SCRIPT <script> PLATFORM <qpa> [PROGRAMS <program>...]
#                           [TIMEOUT <s>])
#
# A kind of real display (xvfb: an X server with a window manager; wayland: a
# Weston compositor). Its copy of a GUI test is named "<test>.<kind>" and
# labelled <kind>; TIMEOUT ends a copy stuck sooner than ctest would. The
# first kind declared is the one the sanitizer pass uses. The fixture
# "<kind>.start" runs `<script> start <state folder> <count>`, which starts
# <count> displays (LUMIVANE_TEST_DISPLAYS, one per parallel test) and
# writes for each one <state folder>/<n>/environment, the NAME=VALUE lines
# that reach it; "<kind>.stop" runs `<script> stop <state folder>`. The
# displays are ctest resources of type <kind>, listed in the resource file
# file test-resources.json of the build folder (`make test` hands it to
# ctest); each test takes one (RESOURCE_GROUPS <kind>:1), so tests on a
# display run side by side, never two on one display. tests/common/
# TestDisplay.h reads the display ctest gave; run without the resource file, the
# tests of a kind wait for its first display in turn.
#
# Properties are set by a script that ctest includes after the discovered
# tests, not through gtest_discover_tests(PROPERTIES): that path splits a
# list value (an ENVIRONMENT of two variables) into separate arguments and
# takes the labels with it.

cmake_host_system_information(RESULT LUMIVANE_CORES QUERY NUMBER_OF_LOGICAL_CORES)
set(LUMIVANE_TEST_DISPLAYS ${LUMIVANE_CORES} CACHE STRING "Displays of each kind that the GUI tests share")
set(LUMIVANE_TEST_RESOURCE_FILE "${CMAKE_BINARY_DIR}/test-resources.json")

# The resource file ctest reads (test-resources.json): every declared display kind with its displays.
function(_lumivane_write_resource_file)
    get_property(kinds GLOBAL PROPERTY LUMIVANE_DISPLAY_KINDS)
    set(local "{}")
    foreach(kind IN LISTS kinds)
        set(displays "[]")
        math(EXPR last "${LUMIVANE_TEST_DISPLAYS} - 1")
        foreach(id RANGE ${last})
            string(JSON displays SET "${displays}" ${id} "{\"id\": \"${id}\", \"slots\": 1}")
        endforeach()
        string(JSON local SET "${local}" ${kind} "${displays}")
    endforeach()
    file(WRITE "${LUMIVANE_TEST_RESOURCE_FILE}"
         "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [${local}]}\n")
endfunction()
_lumivane_write_resource_file()

function(lumivane_add_display_kind kind)
    cmake_parse_arguments(ARG "" "START_SCRIPT;PLATFORM;TIMEOUT" "PROGRAMS" ${ARGN})
    foreach(program IN LISTS ARG_PROGRAMS)
        find_program(LUMIVANE_PROGRAM_${program} ${program})
        if(NOT LUMIVANE_PROGRAM_${program})
            message(STATUS "No ${program}: the GUI tests do not run on ${kind}")
            return()
        endif()
    endforeach()
    set(state "${CMAKE_BINARY_DIR}/${kind}")
    add_test(NAME ${kind}.start COMMAND "${ARG_START_SCRIPT}" start "${state}" ${LUMIVANE_TEST_DISPLAYS})
    add_test(NAME ${kind}.stop COMMAND "${ARG_START_SCRIPT}" stop "${state}")
    set_tests_properties(${kind}.start PROPERTIES FIXTURES_SETUP lumivane_${kind} LABELS ${kind} TIMEOUT 60)
    set_tests_properties(${kind}.stop PROPERTIES FIXTURES_CLEANUP lumivane_${kind} LABELS ${kind} TIMEOUT 60)
    set_property(GLOBAL APPEND PROPERTY LUMIVANE_DISPLAY_KINDS ${kind})
    set_property(GLOBAL PROPERTY LUMIVANE_DISPLAY_${kind}_PLATFORM ${ARG_PLATFORM})
    set(extra "")
    if(ARG_TIMEOUT)
        set(extra "TIMEOUT ${ARG_TIMEOUT}")
    endif()
    set_property(GLOBAL PROPERTY LUMIVANE_DISPLAY_${kind}_PROPERTIES "${extra}")
    _lumivane_write_resource_file()
endfunction()

lumivane_add_display_kind(xvfb START_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/xvfb-display.sh" PLATFORM xcb
                          PROGRAMS Xvfb openbox xprop)

# Qt's plugins live beside its libraries (Debian: <libdir>/qt6/plugins).
get_target_property(_lumivane_qt_gui Qt6::Gui LOCATION)
get_filename_component(_lumivane_qt_libdir "${_lumivane_qt_gui}" DIRECTORY)
find_file(LUMIVANE_QT_WAYLAND_PLUGIN libqwayland-generic.so PATHS "${_lumivane_qt_libdir}/qt6/plugins/platforms"
          NO_DEFAULT_PATH)
if(LUMIVANE_SANITIZE)
    # The sanitizer pass runs each GUI test once, on X: no Westons to start.
elseif(LUMIVANE_QT_WAYLAND_PLUGIN)
    # A copy takes a few seconds; one stuck behind a dialog that never
    # closed ends after 60 s instead of ctest's 300.
    lumivane_add_display_kind(wayland START_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/weston-display.sh" PLATFORM wayland
                              PROGRAMS Xvfb weston TIMEOUT 60)
else()
    message(STATUS "No Qt wayland plugin: the GUI tests do not run on wayland")
endif()

function(_lumivane_test_properties_script list_var label environment)
    set(script "${CMAKE_CURRENT_BINARY_DIR}/${list_var}_properties.cmake")
    set(extra "")
    if(ARGC GREATER 3)
        set(extra "${ARGV3}")
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

# The registration itself is checked by a test of its own.
function(_lumivane_registration_check)
    get_property(done GLOBAL PROPERTY LUMIVANE_REGISTRATION_CHECK)
    if(done)
        return()
    endif()
    set_property(GLOBAL PROPERTY LUMIVANE_REGISTRATION_CHECK TRUE)
    add_test(NAME tests.registration
             COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DCTEST=${CMAKE_CTEST_COMMAND}
                     -DRESOURCE_FILE=${LUMIVANE_TEST_RESOURCE_FILE}
                     -P ${PROJECT_SOURCE_DIR}/tests/cmake/CheckTestRegistration.cmake)
    set_tests_properties(tests.registration PROPERTIES LABELS platform TIMEOUT 120)
endfunction()

function(_lumivane_discover target suffix list_var timeout)
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT ${timeout} NO_PRETTY_VALUES
        TEST_SUFFIX "${suffix}" TEST_LIST ${list_var})
endfunction()

# The copy of a GUI executable's tests on one display of a kind.
function(_lumivane_add_display_copy target kind label environment timeout)
    get_property(platform GLOBAL PROPERTY LUMIVANE_DISPLAY_${kind}_PLATFORM)
    get_property(extra GLOBAL PROPERTY LUMIVANE_DISPLAY_${kind}_PROPERTIES)
    list(REMOVE_ITEM environment QT_QPA_PLATFORM=offscreen)
    list(APPEND environment QT_QPA_PLATFORM=${platform} "LUMIVANE_TEST_DISPLAY_DIR=${CMAKE_BINARY_DIR}/${kind}")
    _lumivane_discover(${target} .${kind} ${target}_${kind}_TESTS ${timeout})
    _lumivane_test_properties_script(${target}_${kind}_TESTS "${kind};${label}" "${environment}"
        "FIXTURES_REQUIRED lumivane_${kind} RESOURCE_GROUPS ${kind}:1 ${extra}")
endfunction()

function(lumivane_add_test_target target)
    _lumivane_registration_check()
    cmake_parse_arguments(ARG "GUI;OFFSCREEN_ONLY" "LABEL;DISCOVERY_TIMEOUT" "" ${ARGN})
    if(NOT ARG_LABEL)
        message(FATAL_ERROR "lumivane_add_test_target(${target}): LABEL is required")
    endif()
    if(NOT ARG_DISCOVERY_TIMEOUT)
        set(ARG_DISCOVERY_TIMEOUT 30)
    endif()

    set(environment "")
    set(kinds "")
    if(ARG_GUI)
        list(APPEND environment QT_QPA_PLATFORM=offscreen)
        if(NOT ARG_OFFSCREEN_ONLY)
            get_property(kinds GLOBAL PROPERTY LUMIVANE_DISPLAY_KINDS)
        endif()
    endif()
    if(LUMIVANE_SANITIZE AND ARG_GUI)
        # Font and display libraries keep caches until exit that LeakSanitizer reports.
        list(APPEND environment ASAN_OPTIONS=detect_leaks=0)
    endif()

    if(LUMIVANE_SANITIZE AND kinds)
        # Once under the sanitizers: where painting happens.
        list(GET kinds 0 kinds)
    else()
        _lumivane_discover(${target} "" ${target}_TESTS ${ARG_DISCOVERY_TIMEOUT})
        _lumivane_test_properties_script(${target}_TESTS "${ARG_LABEL}" "${environment}")
    endif()
    foreach(kind IN LISTS kinds)
        _lumivane_add_display_copy(${target} ${kind} "${ARG_LABEL}" "${environment}" ${ARG_DISCOVERY_TIMEOUT})
    endforeach()
endfunction()
