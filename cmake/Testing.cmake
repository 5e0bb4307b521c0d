# GoogleTest for both builds: Debian's package natively, its sources (installed by
# the googletest package) built with the cross compiler for Windows.
if(CMAKE_CROSSCOMPILING)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  # Its own CMake names the targets GTest::gtest and GTest::gtest_main.
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()

# tessel_add_test(NAME SOURCES... LIBS ...): one GoogleTest program, run by CTest.
# In the Windows build CTest runs it under Wine (the toolchain's emulator).
function(tessel_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  if(WIN32)
    # A console test program; -mconsole keeps gtest's output on stdout. The
    # Wine tests share one prefix and run one at a time.
    target_link_options(${name} PRIVATE -mconsole)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine)
  endif()
endfunction()
