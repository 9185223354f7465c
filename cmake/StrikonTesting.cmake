# strikon_add_test(<target> SOURCES ... LIBS ... [QT] [SCALE_FACTORS f ...])
# Builds one GoogleTest executable and registers its tests with CTest. QT tests get a
# QApplication on the offscreen platform from the shared main. With SCALE_FACTORS the tests are
# registered once per factor and named with it as a suffix; the shared main turns the argument
# --qt-scale-factor=F into QT_SCALE_FACTOR before Qt starts (Qt reads it only then). An argument,
# because GoogleTest discovery splits a list-valued ENVIRONMENT at its first ";".
find_package(GTest REQUIRED)
find_package(Qt6 REQUIRED COMPONENTS Test)
include(GoogleTest)

function(strikon_add_test target)
    cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS;SCALE_FACTORS" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
    set(env "")
    if(ARG_QT)
        target_link_libraries(${target} PRIVATE ${ARG_LIBS} strikon_qt_gtest_main Qt6::Test
                                                GTest::gtest GTest::gmock)
        # Leak checking stays on: the widget tests run clean under it.
        set(env QT_QPA_PLATFORM=offscreen)
    else()
        target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
    endif()
    if(NOT ARG_SCALE_FACTORS)
        gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                             PROPERTIES ENVIRONMENT "${env}")
        return()
    endif()
    foreach(factor IN LISTS ARG_SCALE_FACTORS)
        gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                             TEST_SUFFIX "@${factor}"
                             EXTRA_ARGS --qt-scale-factor=${factor}
                             PROPERTIES ENVIRONMENT "${env}")
    endforeach()
endfunction()
