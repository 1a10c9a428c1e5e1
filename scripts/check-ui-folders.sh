#!/usr/bin/env bash
# The folders of ui/ are layers: no folder includes from a folder that (through others)
# includes it, and every source lies in a folder. Prints the loop when there is one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root/ui"

loose=$(find . -maxdepth 1 -name '*.cpp' -o -maxdepth 1 -name '*.h')
if [ -n "$loose" ]; then
  echo "FAILED: sources outside a folder of ui/:" $loose
  exit 1
fi
# One "from to" line for each folder that includes from another.
edges=$(grep -rHo '^#include "ui/[a-z]*/' --include='*.cpp' --include='*.h' . |
  sed -E 's|^\./([a-z]+)/[^:]*:#include "ui/([a-z]+)/$|\1 \2|' | awk '$1 != $2' | sort -u)
if ! loop=$(echo "$edges" | tsort 2>&1 >/dev/null) || [ -n "$loop" ]; then
  echo "FAILED: the folders of ui/ include each other in a loop:"
  echo "$loop"
  exit 1
fi
echo "The folders of ui/, each including only from those after it:"
echo "$edges" | tsort | tr '\n' ' '
echo
