# The web-services stand-in as a ctest fixture, for test programs that cannot
# start it themselves (the Windows build's, run under Wine). The stand-in is
# a native program: give the cross build its path with
# -DNUBIRO_HOST_SERVICES_SIM=<native build>/tools/services-sim/services-sim.
#
#   nubiro_services_sim_fixture(<fixture> [ARGS <stand-in options>...])
#     adds <fixture>_start and <fixture>_stop, which start the stand-in on
#     free loopback ports and stop it; its state folder holds "urls" (the three
#     base URLs), "requests.log" and "authority.pem".
#   nubiro_use_services_sim(<test> <fixture>)
#     makes <test> require the fixture and names the state folder to it in
#     NUBIRO_SERVICES_SIM_STATE (see tests/support/ServicesSim.h).
set(NUBIRO_HOST_SERVICES_SIM "" CACHE FILEPATH "Native services-sim program for the Windows tests")

function(nubiro_services_sim_fixture fixture)
  cmake_parse_arguments(F "" "" "ARGS" ${ARGN})
  set(state "${CMAKE_BINARY_DIR}/services-sim/${fixture}")
  set(script "${PROJECT_SOURCE_DIR}/scripts/services-sim-fixture")
  add_test(NAME ${fixture}_start COMMAND bash "${script}" start "${state}" "${NUBIRO_HOST_SERVICES_SIM}" ${F_ARGS})
  set_tests_properties(${fixture}_start PROPERTIES FIXTURES_SETUP ${fixture} TIMEOUT 150)
  add_test(NAME ${fixture}_stop COMMAND bash "${script}" stop "${state}")
  set_tests_properties(${fixture}_stop PROPERTIES FIXTURES_CLEANUP ${fixture} TIMEOUT 60)
endfunction()

function(nubiro_use_services_sim test fixture)
  set(state "${CMAKE_BINARY_DIR}/services-sim/${fixture}")
  if(CMAKE_CROSSCOMPILING)
    set(state "Z:${state}")
  endif()
  set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED ${fixture})
  set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "NUBIRO_SERVICES_SIM_STATE=${state}")
endfunction()
