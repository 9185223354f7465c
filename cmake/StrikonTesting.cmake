# strikon_add_test(<target> SOURCES ... LIBS ... [QT])
# Builds one GoogleTest executable and registers its tests with CTest. QT tests get a
# QApplication on the offscreen platform from the shared main.
find_package(GTest REQUIRED)
find_package(Qt6 REQUIRED COMPONENTS Test)
include(GoogleTest)

function(strikon_add_test target)
    cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
    set(env "")
    if(ARG_QT)
        target_link_libraries(${target} PRIVATE ${ARG_LIBS} strikon_qt_gtest_main Qt6::Test
                                                GTest::gtest GTest::gmock)
        # Qt and fontconfig keep caches alive until exit; leak reports there are noise.
        set(env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0)
    else()
        target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
    endif()
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT "${env}")
endfunction()
