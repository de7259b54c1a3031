# The applet's resources as real Windows resources: lumivane_rc, built for
# the build machine in a small native build of its own (Release, the
# resource compiler alone, no Qt), writes lumva.rc and the files it names;
# windres compiles the script into lumivane_win32_resources, an object
# library that lumva.cpl and the resource tests link.
# Included from src/resources/CMakeLists.txt in the Win32 build.

include(ExternalProject)

set(LUMIVANE_HOST_CXX_COMPILER "" CACHE FILEPATH
    "C++ compiler of the build machine for lumivane_rc (empty: the native default)")
set(native_rc_args
    -DCMAKE_BUILD_TYPE=Release
    -DLUMIVANE_RESOURCE_COMPILER_ONLY=ON)
if(LUMIVANE_HOST_CXX_COMPILER)
    list(APPEND native_rc_args -DCMAKE_CXX_COMPILER=${LUMIVANE_HOST_CXX_COMPILER})
endif()
# The same compiler cache, warning rule and unity build as the build around it.
foreach(setting CMAKE_CXX_COMPILER_LAUNCHER CMAKE_COMPILE_WARNING_AS_ERROR CMAKE_UNITY_BUILD
                CMAKE_UNITY_BUILD_BATCH_SIZE)
    if(DEFINED ${setting})
        list(APPEND native_rc_args -D${setting}=${${setting}})
    endif()
endforeach()

set(native_rc_dir ${CMAKE_BINARY_DIR}/native-rc)
set(native_rc ${native_rc_dir}/src/resources/lumivane_rc${CMAKE_HOST_EXECUTABLE_SUFFIX})
ExternalProject_Add(lumivane_native_rc
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${native_rc_dir}
    CMAKE_ARGS ${native_rc_args}
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${native_rc_dir} --target lumivane_rc
    INSTALL_COMMAND ""
    # Its own build decides what is out of date; asking it costs little.
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${native_rc}
)

set(rc_script_dir ${CMAKE_CURRENT_BINARY_DIR}/rc-script)
set(rc_script ${rc_script_dir}/lumva.rc)
add_custom_command(
    OUTPUT ${rc_script}
    COMMAND ${native_rc} --rc-script ${rc_script_dir}
    DEPENDS lumivane_native_rc ${native_rc}
    COMMENT "Writing the module's resource script"
    VERBATIM
)

add_library(lumivane_win32_resources OBJECT ${rc_script})
# The bitmaps, cursors and icon lie beside the script.
set_source_files_properties(${rc_script} PROPERTIES GENERATED ON INCLUDE_DIRECTORIES ${rc_script_dir})
