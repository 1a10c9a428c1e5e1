#!/usr/bin/env bash
# Runs the benchmarks of a build. Usage: scripts/run-bench.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
for b in "$build"/bench/*_bench; do
  echo "=== $(basename "$b")"
  "$b"
done
