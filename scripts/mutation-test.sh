#!/usr/bin/env bash
# Mutation testing of the library and the command-line tool: tries random small
# changes (flipped comparisons and logic, a dropped "+ 1" or "- 1", true for false)
# on a scratch copy in build-mutation/ and tells which ones the tests notice.
#   scripts/mutation-test.sh --seed N --sample K [--files GLOB]... [--summary FILE] [--list]
# Runs at low priority with two build jobs; the tree itself is never changed.
set -euo pipefail
exec nice -n 10 python3 "$(dirname "$0")/mutation_test.py" "$@"
