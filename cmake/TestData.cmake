# Test and benchmark data lives compressed in tests/data and is unpacked into
# the build tree; tests and benchmarks find it through NUBIRO_TEST_DATA_DIR.
set(NUBIRO_TEST_DATA_DIR "${CMAKE_BINARY_DIR}/testdata")
file(MAKE_DIRECTORY "${NUBIRO_TEST_DATA_DIR}")
add_custom_command(
  OUTPUT "${NUBIRO_TEST_DATA_DIR}/airports.csv" "${NUBIRO_TEST_DATA_DIR}/metar-corpus.txt"
  COMMAND ${CMAKE_COMMAND} -E copy "${PROJECT_SOURCE_DIR}/tests/data/metar/corpus.txt"
          "${NUBIRO_TEST_DATA_DIR}/metar-corpus.txt"
  COMMAND ${CMAKE_COMMAND} -E tar xzf "${PROJECT_SOURCE_DIR}/tests/data/airports/airports.csv.tar.gz" --touch
  WORKING_DIRECTORY "${NUBIRO_TEST_DATA_DIR}"
  DEPENDS "${PROJECT_SOURCE_DIR}/tests/data/airports/airports.csv.tar.gz" "${PROJECT_SOURCE_DIR}/tests/data/metar/corpus.txt"
  COMMENT "Unpacking test data"
  VERBATIM)
add_custom_target(nubiro_test_data DEPENDS "${NUBIRO_TEST_DATA_DIR}/airports.csv" "${NUBIRO_TEST_DATA_DIR}/metar-corpus.txt")


# The plan files, copied as they are into testdata/plans.
file(GLOB nubiro_plan_files CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/data/plans/*.pln")
set(nubiro_plan_copies "")
foreach(plan IN LISTS nubiro_plan_files)
  get_filename_component(name "${plan}" NAME)
  add_custom_command(
    OUTPUT "${NUBIRO_TEST_DATA_DIR}/plans/${name}"
    COMMAND ${CMAKE_COMMAND} -E copy "${plan}" "${NUBIRO_TEST_DATA_DIR}/plans/${name}"
    DEPENDS "${plan}"
    VERBATIM)
  list(APPEND nubiro_plan_copies "${NUBIRO_TEST_DATA_DIR}/plans/${name}")
endforeach()
add_custom_target(nubiro_test_plans DEPENDS ${nubiro_plan_copies})
add_dependencies(nubiro_test_data nubiro_test_plans)
