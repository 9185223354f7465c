# strikon_forbid_includes(<target> FOLDERS <folder>...)
# Fails the build of <target> when a source or header in its folder includes a header from one
# of the named top-level folders ("app/..."), so the layers keep their arrows pointing down.
# The check reruns whenever one of the folder's files changes.
function(strikon_forbid_includes target)
    cmake_parse_arguments(ARG "" "" "FOLDERS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    string(REPLACE ";" "," folders "${ARG_FOLDERS}")
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}_layers.stamp)
    add_custom_command(
        OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DFOLDER=${CMAKE_CURRENT_SOURCE_DIR} -DFORBIDDEN=${folders}
                -DSTAMP=${stamp} -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
        DEPENDS ${sources} ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
        COMMENT "Checking that ${target} includes nothing from ${ARG_FOLDERS}"
        VERBATIM)
    add_custom_target(${target}_layers DEPENDS ${stamp})
    add_dependencies(${target} ${target}_layers)
endfunction()
