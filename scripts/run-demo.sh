#!/usr/bin/env bash
# Starts the editor on a fresh copy of the demo workspace, so that running it never
# changes the repository. Usage: scripts/run-demo.sh BUILD_DIR [editor arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
shift || true

workspace="$build/demo-workspace"
rm -rf "$workspace"
mkdir -p "$workspace"
if [ -d "$root/demo" ]; then cp -R "$root/demo/." "$workspace/"; fi
cp -R "$root/Resources" "$root/Documents" "$workspace/"

echo "VaskEdit workspace: $workspace"
cd "$workspace"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting under a virtual X server (xvfb-run); the window is not visible."
  exec xvfb-run -a "$build/app/vaskedit" "$@"
fi
exec "$build/app/vaskedit" "$@"
