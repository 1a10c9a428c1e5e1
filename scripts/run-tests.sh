#!/usr/bin/env bash
# Builds and runs every test suite: the Linux build (library, command line and
# widget tests), the library under AddressSanitizer and UndefinedBehaviorSanitizer,
# the Windows cross build of the library under wine, and a short run of every fuzz
# harness (`make fuzz` runs them long).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)
failed=()

run_suite() {
  local name=$1 dir=$2
  shift 2
  echo "=== $name: configure and build ($dir)"
  if ! cmake -S . -B "$dir" -G Ninja "$@" >"$dir.configure.log" 2>&1; then
    cat "$dir.configure.log"
    failed+=("$name (configure)")
    return
  fi
  if ! cmake --build "$dir" -j "$jobs"; then
    failed+=("$name (build)")
    return
  fi
  echo "=== $name: tests"
  if ! (cd "$dir" && ctest --output-on-failure -j "$jobs"); then
    failed+=("$name (tests)")
  fi
}

mkdir -p build build-asan build-win
run_suite "Linux" build -DCMAKE_BUILD_TYPE=RelWithDebInfo
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite "Sanitizers" build-asan -DCMAKE_BUILD_TYPE=Debug -DVASK_SANITIZE=ON \
  -DVASK_BUILD_GUI=OFF -DVASK_BUILD_BENCH=OFF
run_suite "Windows (wine)" build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release
if ! scripts/run-fuzzers.sh 10; then
  failed+=("Fuzzing")
fi

if [ ${#failed[@]} -ne 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "All test suites passed."
