# cmake -DBUILD_DIR=<build> -DCTEST=<ctest> -DRESOURCE_FILE=<json> -P CheckTestRegistration.cmake
# Fails unless every registered test carries a label and a stable name (no
# parameter printed as bytes), and every test on a display kind of the
# resource file (".xvfb", ".wayland") carries the kind's label, its whole environment
# (the platform and the displays' folder), which a list split apart by test
# discovery can lose, and a display of its own from ctest's allocation.
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
count_tests(unstable -R "GetParam|TypeParam|byte object| |/[0-9]+(\\.[a-z]+)?$")
if(NOT unlabelled EQUAL 0)
    message(FATAL_ERROR "${unlabelled} of ${all} tests carry no label")
endif()
if(NOT unstable EQUAL 0)
    message(FATAL_ERROR "${unstable} of ${all} tests are named by a parameter's bytes, a comment or an index")
endif()

file(READ "${RESOURCE_FILE}" resources)
string(JSON local GET "${resources}" local 0)
string(JSON kind_count LENGTH "${local}")
set(on_displays 0)
if(kind_count GREATER 0)
    math(EXPR last "${kind_count} - 1")
    foreach(index RANGE ${last})
        string(JSON kind MEMBER "${local}" ${index})
        count_tests(named -R "\\.${kind}$" -FA ".*")
        count_tests(labelled -R "\\.${kind}$" -L "^${kind}$" -FA ".*")
        if(named EQUAL 0 OR NOT labelled EQUAL named)
            message(FATAL_ERROR "${labelled} of ${named} tests on ${kind} carry the ${kind} label")
        endif()
        execute_process(COMMAND "${CTEST}" --test-dir "${BUILD_DIR}" -R "\\.${kind}$" -FA ".*" --show-only=json-v1
                        OUTPUT_VARIABLE json)
        string(REGEX MATCHALL "QT_QPA_PLATFORM=[a-z]" platforms "${json}")
        string(REGEX MATCHALL "LUMIVANE_TEST_DISPLAY_DIR=[^\"]*/${kind}\"" displays "${json}")
        string(REGEX MATCHALL "\"\\.type\" : \"${kind}\"" allocations "${json}")
        foreach(found platforms displays allocations)
            list(LENGTH ${found} count)
            if(NOT count EQUAL named)
                message(FATAL_ERROR "of ${named} tests on ${kind}, ${count} have their ${found}")
            endif()
        endforeach()
        math(EXPR on_displays "${on_displays} + ${named}")
    endforeach()
endif()
message(STATUS "${all} tests labelled and stably named, ${on_displays} of them on displays")
