# Test executables. Natively every GoogleTest case becomes its own ctest test;
# in the Windows cross build each executable is one ctest test run under Wine
# (CMAKE_CROSSCOMPILING_EMULATOR), since starting Wine is the costly part.
#
#   nubiro_add_test(<name> SOURCES <files...> [LIBS <targets...>] [TIMEOUT <s>]
#                   [PROPERTIES <ctest property> <value> ...])
function(nubiro_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} nubiro_test_support GTest::gmock GTest::gtest_main)
  add_dependencies(${name} nubiro_test_data)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} ${T_PROPERTIES})
  else()
    gtest_discover_tests(${name} NO_PRETTY_VALUES DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${T_TIMEOUT} ${T_PROPERTIES})
  endif()
endfunction()
