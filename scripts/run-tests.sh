#!/usr/bin/env bash
# Builds and runs every test suite: the Linux build (library, command line and
# widget tests), the library under AddressSanitizer and UndefinedBehaviorSanitizer,
# the Windows cross build of the library under wine (with the editor and its widget
# tests when Qt for Windows is in its cache), and a short run of every fuzz harness
# with a fixed seed (`make fuzz` runs them long, with random seeds).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)
failed=()

# run_suite NAME PRESET DIR: configures, builds and tests one configuration of
# CMakePresets.json; DIR is where the preset builds, for the configure log's name.
run_suite() {
  local name=$1 preset=$2 dir=$3
  echo "=== $name: configure and build ($dir)"
  if ! cmake --preset "$preset" >"$dir.configure.log" 2>&1; then
    cat "$dir.configure.log"
    failed+=("$name (configure)")
    return
  fi
  if ! cmake --build --preset "$preset" -j "$jobs"; then
    failed+=("$name (build)")
    return
  fi
  echo "=== $name: tests"
  # Under load wine now and then fails to start a program at all (it ends without a line
  # of output); a test that fails that way gets one more run there, and only there.
  local again=()
  [ "$preset" = windows ] && again=(--repeat until-pass:2)
  if ! ctest --preset "$preset" -j "$jobs" "${again[@]}"; then
    failed+=("$name (tests)")
  fi
}

mkdir -p build build-asan build-win
run_suite "Linux" release build
run_suite "Sanitizers" asan build-asan
qt_windows=${VASK_QT_WINDOWS_CACHE:-/var/cache/vaskedit/qt6-windows-6.4.2}
if [ ! -f "$qt_windows/.complete" ]; then
  echo "=== Windows editor tests skipped: no Qt for Windows in $qt_windows (build it once with 'make qt-windows' or scripts/build-qt-windows.sh, about an hour)"
fi
run_suite "Windows (wine)" windows build-win
# A fixed seed keeps the short run the same on every machine; `make fuzz` looks further.
if ! VASK_FUZZ_SEED=1 scripts/run-fuzzers.sh 10; then
  failed+=("Fuzzing")
fi

if [ ${#failed[@]} -ne 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "All test suites passed."
