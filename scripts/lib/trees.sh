# The build trees of the tests, configured the same way by every script
# (sourced, not run).
#
#   configure_native ROOT TREE    clang-14 with AddressSanitizer,
#       UndefinedBehaviorSanitizer and libFuzzer's coverage: the native tests,
#       the benchmarks and the fuzz targets in one tree
#   configure_tsan ROOT TREE      clang-14 with ThreadSanitizer
#   configure_windows ROOT TREE NATIVE_TREE
#       MinGW-w64; its tests reach the native tree's web-services stand-in
#   build_release ROOT TREE TARGET...
#       the optimised tree of the benchmarks, the model-calls count and the
#       soak (no tests, the benchmark programs always on), configured and
#       built quietly: the tools' output goes to build/logs/release-build.log,
#       whose end a failure shows
#
# The sanitizer trees compile at -O0 with line tables only, which halves the
# compile time; the libraries whose loops the tests run hardest stay at -O1,
# since at -O0 the corpus tests took five times as long. ThreadSanitizer
# stays at -O1, as it advises. The Windows tree compiles at -O1: -O3 took a
# third longer and the tests under Wine wait on Wine, not on our code.

_configure() {
  local source=$1 tree=$2 compiler=$3
  shift 3
  # A tree made by another compiler (an older script's GCC tree) is made
  # again: CMake cannot switch a tree's compiler.
  if [ -n "$compiler" ] && [ -f "$tree/CMakeCache.txt" ] &&
     ! grep -q "^CMAKE_CXX_COMPILER:[A-Z]*=.*$compiler\$" "$tree/CMakeCache.txt"; then
    rm -rf "$tree"
  fi
  cmake -S "$source" -B "$tree" -G Ninja "$@"
}

configure_native() {
  _configure "$1" "$2" clang++-14 -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O0 -g1 -DNDEBUG" -DNUBIRO_HOT_CODE_FLAGS=-O1 \
    -DNUBIRO_FUZZ=ON -DNUBIRO_PRECOMPILE_TEST_HEADERS=OFF
}

configure_tsan() {
  _configure "$1" "$2" clang++-14 -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" -DNUBIRO_SANITIZE_THREAD=ON \
    -DNUBIRO_BUILD_BENCHMARKS=OFF -DNUBIRO_PRECOMPILE_TEST_HEADERS=OFF
}

configure_windows() {
  _configure "$1" "$2" "" -DCMAKE_BUILD_TYPE=Release \
    "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG" -DCMAKE_TOOLCHAIN_FILE="$1/cmake/mingw-w64-x86_64.cmake" \
    -DNUBIRO_HOST_SERVICES_SIM="$3/tools/services-sim/services-sim"
}

build_release() {
  local root=$1 tree=$2
  shift 2
  local log="$root/build/logs/release-build.log"
  mkdir -p "$(dirname "$log")"
  echo "building the optimised tree $tree (log in $log)"
  if ! { _configure "$root" "$tree" "" -DCMAKE_BUILD_TYPE=Release -DNUBIRO_BUILD_TESTS=OFF \
           -DNUBIRO_BUILD_BENCHMARKS=ON &&
         cmake --build "$tree" -j "$(nproc 2>/dev/null || echo 2)" --target "$@"; } >"$log" 2>&1; then
    tail -n 25 "$log" >&2
    echo "the build failed; the whole log: $log" >&2
    return 1
  fi
}
