# Test executables. Natively every GoogleTest case becomes its own ctest test;
# in the Windows cross build each executable is one ctest test run under Wine
# (CMAKE_CROSSCOMPILING_EMULATOR), since starting Wine is the costly part.
#
#   nubiro_add_test(<name> SOURCES <files...> [LIBS <targets...>] [TIMEOUT <s>]
#                   [PROPERTIES <ctest property> <value> ...]
#                   [OWN_PREFIX] [SHARDS <n>])
#
# Windows build only: OWN_PREFIX runs the program in a Wine prefix of its own
# (scripts/wine-own-prefix), for programs that need the simulator's window
# class, the airport cache folder or the certificates they trust to
# themselves: they then run beside each other instead of in turn. SHARDS n
# makes n ctest tests of the program, <name>_1 to <name>_n, each running
# every n-th case (GoogleTest's sharding) in a prefix of its own.
option(NUBIRO_PRECOMPILE_TEST_HEADERS "Precompile the headers every test program parses, once per tree" ON)

# GoogleTest, nlohmann/json and the standard headers the tests use, compiled
# once into a header the test programs share.
function(_nubiro_test_headers)
  if(TARGET nubiro_test_headers)
    return()
  endif()
  set(unit "${CMAKE_BINARY_DIR}/test-headers/headers.cpp")
  file(CONFIGURE OUTPUT "${unit}" CONTENT "// The precompiled test headers' own translation unit.\n")
  add_library(nubiro_test_headers OBJECT "${unit}")
  target_link_libraries(nubiro_test_headers PRIVATE GTest::gmock GTest::gtest nlohmann_json::nlohmann_json)
  target_precompile_headers(nubiro_test_headers PRIVATE
    <gtest/gtest.h> <nlohmann/json.hpp>
    <algorithm> <chrono> <cmath> <cstdio> <filesystem> <fstream> <functional> <future> <map> <memory>
    <optional> <sstream> <string> <thread> <utility> <vector>)
endfunction()

function(nubiro_add_test name)
  cmake_parse_arguments(T "OWN_PREFIX" "TIMEOUT;SHARDS" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} nubiro_test_support GTest::gmock GTest::gtest_main)
  if(NUBIRO_PRECOMPILE_TEST_HEADERS)
    _nubiro_test_headers()
    target_precompile_headers(${name} REUSE_FROM nubiro_test_headers)
  endif()
  add_dependencies(${name} nubiro_test_data)
  if(CMAKE_CROSSCOMPILING AND T_SHARDS)
    set(own_prefix "${PROJECT_SOURCE_DIR}/scripts/wine-own-prefix")
    foreach(shard RANGE 1 ${T_SHARDS})
      math(EXPR index "${shard} - 1")
      add_test(NAME ${name}_${shard} COMMAND bash "${own_prefix}" ${name}_${shard} $<TARGET_FILE:${name}>)
      set_tests_properties(${name}_${shard} PROPERTIES TIMEOUT ${T_TIMEOUT}
                           ENVIRONMENT "GTEST_TOTAL_SHARDS=${T_SHARDS};GTEST_SHARD_INDEX=${index}" ${T_PROPERTIES})
    endforeach()
  elseif(CMAKE_CROSSCOMPILING AND T_OWN_PREFIX)
    add_test(NAME ${name} COMMAND bash "${PROJECT_SOURCE_DIR}/scripts/wine-own-prefix" ${name} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} ${T_PROPERTIES})
  elseif(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} ${T_PROPERTIES})
  else()
    gtest_discover_tests(${name} NO_PRETTY_VALUES DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${T_TIMEOUT} ${T_PROPERTIES})
  endif()
endfunction()
