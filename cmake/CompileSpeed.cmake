# What keeps the trees quick to build: each target's sources compiled in
# unity batches, ccache in front of the compiler when the machine has it,
# and the test programs' common headers precompiled.

option(NUBIRO_UNITY_BUILD "Compile each target's sources in batches of eight" ON)
if(NUBIRO_UNITY_BUILD)
  set(CMAKE_UNITY_BUILD ON)
  set(CMAKE_UNITY_BUILD_BATCH_SIZE 8)
endif()

find_program(NUBIRO_CCACHE ccache)
if(NUBIRO_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  set(CMAKE_CXX_COMPILER_LAUNCHER "${NUBIRO_CCACHE}")
endif()
