# Under the sanitizers, every test program gets tests/support/KeepLoaded preloaded, built
# without instrumentation so that programs outside this project can load it as well.
set(VERBARIUM_TEST_ENVIRONMENT "")
if(VERBARIUM_SANITIZE)
    set(keep_loaded ${CMAKE_BINARY_DIR}/libkeeploaded.so)
    add_custom_command(OUTPUT ${keep_loaded}
        COMMAND ${CMAKE_CXX_COMPILER} -shared -fPIC -O2 -o ${keep_loaded}
                ${CMAKE_SOURCE_DIR}/tests/support/KeepLoaded.cpp
        DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/KeepLoaded.cpp)
    add_custom_target(keep_loaded ALL DEPENDS ${keep_loaded})
    set(VERBARIUM_TEST_ENVIRONMENT ";LD_PRELOAD=${keep_loaded}")
endif()

# verbarium_add_test(NAME SOURCES files... [LIBS libs...])
# Registers a Qt Test program with ctest. Every test runs offscreen, in a UTF-8 locale and
# with a HOME and XDG_CONFIG_HOME of its own, so it never touches a user's settings.
function(verbarium_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
    set(home ${CMAKE_BINARY_DIR}/test-home/${name})
    file(MAKE_DIRECTORY ${home}/.config)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT 300
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;HOME=${home};XDG_CONFIG_HOME=${home}/.config${VERBARIUM_TEST_ENVIRONMENT}")
endfunction()
