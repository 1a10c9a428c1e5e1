#!/usr/bin/env bash
# Builds the libFuzzer harnesses (the "fuzz" preset: clang 14, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs each for DURATION_SECONDS on a
# scratch copy of its seed corpus, so that the committed corpus does not grow. Prints the executions of each
# harness and every crash; exits with 1 when any harness crashed, timed out or ran out
# of memory. The inputs that did are kept in build-fuzz/findings/<harness>/.
#
# Usage: scripts/run-fuzzers.sh DURATION_SECONDS [HARNESS...]
#   VASK_FUZZ_BUILD_DIR  build directory (default: build-fuzz)
#   VASK_FUZZ_SEED       libFuzzer's seed: the same mutations on every run (default: random)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

if [ $# -lt 1 ] || ! [[ $1 =~ ^[0-9]+$ ]] || [ "$1" -eq 0 ]; then
  echo "usage: scripts/run-fuzzers.sh DURATION_SECONDS [HARNESS...]" >&2
  exit 2
fi
duration=$1
shift
build=${VASK_FUZZ_BUILD_DIR:-build-fuzz}

echo "=== Fuzzing: configure and build ($build)"
mkdir -p "$build"
if ! cmake --preset fuzz -B "$build" >"$build.configure.log" 2>&1; then
  cat "$build.configure.log"
  exit 1
fi
if ! cmake --build "$build" --target fuzzers -j "$(nproc)"; then
  exit 1
fi

harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  for corpus in fuzz/corpus/*/; do
    harnesses+=("$(basename "$corpus")")
  done
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/vaskedit-fuzzing.XXXXXX")
worktmp="$scratch/tmp"
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  worktmp=$(mktemp -d /dev/shm/vaskedit-fuzzing.XXXXXX)
fi
mkdir -p "$worktmp"
trap 'rm -rf "$scratch" "$worktmp"' EXIT
failed=()

for harness in "${harnesses[@]}"; do
  program="$build/fuzz/fuzz_$harness"
  if [ ! -x "$program" ] || [ ! -d "fuzz/corpus/$harness" ]; then
    echo "$harness: no such harness" >&2
    failed+=("$harness")
    continue
  fi
  corpus="$scratch/corpus/$harness"
  artifacts="$scratch/artifacts/$harness"
  mkdir -p "$corpus" "$artifacts"
  cp -r "fuzz/corpus/$harness/." "$corpus/"
  log="$scratch/$harness.log"
  echo "=== Fuzzing $harness for ${duration} s"
  # The harnesses work in directories of their own under TMPDIR: in memory where the
  # system offers it, so that the library's flushes to the disk cost nothing.
  TMPDIR="$worktmp" ASAN_OPTIONS=abort_on_error=1:detect_leaks=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$program" -max_total_time="$duration" ${VASK_FUZZ_SEED:+-seed="$VASK_FUZZ_SEED"} \
    -timeout=25 -rss_limit_mb=2048 -max_len=16384 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1
  status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  found=$(find "$artifacts" -type f | sort)
  if [ $status -eq 0 ] && [ -z "$found" ]; then
    echo "$harness: ${executions:-0} executions, no crash"
    continue
  fi
  failed+=("$harness")
  echo "$harness: CRASH after ${executions:-?} executions (exit status $status)"
  grep -E "ERROR: |SUMMARY: |expectation broken|runtime error" "$log" | head -n 10
  mkdir -p "$build/findings/$harness"
  for input in $found; do
    cp "$input" "$build/findings/$harness/"
    echo "  input kept: $build/findings/$harness/$(basename "$input")"
  done
  cp "$log" "$build/findings/$harness/last-run.log"
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "Fuzzing FAILED: ${failed[*]}"
  exit 1
fi
echo "Fuzzing: no crash in ${#harnesses[@]} harnesses."
