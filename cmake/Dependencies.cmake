# Third-party libraries. Natively they come from the system's packages; the
# MinGW cross build must never see /usr/include, so it gets a build-tree
# include folder that exposes only the nlohmann headers.

find_package(nlohmann_json 3.11 CONFIG QUIET)
if(NOT nlohmann_json_FOUND)
  set(NUBIRO_NLOHMANN_SOURCE "/usr/include/nlohmann" CACHE PATH
      "Folder holding the nlohmann/json headers (json.hpp)")
  if(NOT EXISTS "${NUBIRO_NLOHMANN_SOURCE}/json.hpp")
    message(FATAL_ERROR "nlohmann/json not found; set NUBIRO_NLOHMANN_SOURCE")
  endif()
  set(_nubiro_deps_include "${CMAKE_BINARY_DIR}/deps/include")
  file(MAKE_DIRECTORY "${_nubiro_deps_include}")
  file(CREATE_LINK "${NUBIRO_NLOHMANN_SOURCE}" "${_nubiro_deps_include}/nlohmann" SYMBOLIC)
  add_library(nlohmann_json INTERFACE)
  target_include_directories(nlohmann_json SYSTEM INTERFACE "${_nubiro_deps_include}")
  add_library(nlohmann_json::nlohmann_json ALIAS nlohmann_json)
endif()

if(NUBIRO_BUILD_TESTS)
  if(CMAKE_CROSSCOMPILING)
    set(NUBIRO_GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources for the cross build")
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory("${NUBIRO_GOOGLETEST_SOURCE}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
  else()
    find_package(GTest REQUIRED)
  endif()
  include(GoogleTest)
endif()

if(NUBIRO_BUILD_BENCHMARKS AND NOT WIN32)
  find_package(benchmark REQUIRED)
endif()
