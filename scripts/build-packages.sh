#!/usr/bin/env bash
# Builds the Debian package from the Linux build (build/packages/vaskedit_*.deb) and the
# Windows zip of vaskedit-cli.exe with the templates, help pages and README from the
# mingw build (build-win/packages/vaskedit-*-windows-x64.zip).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# cpack installs what is built: the packaged programs are built first.
cmake --preset release >/dev/null
cmake --build --preset release --target vaskedit vaskedit-cli
cmake --preset windows >/dev/null
cmake --build --preset windows --target vaskedit-cli
rm -rf build/packages build-win/packages
(cd build && cpack -G DEB)
(cd build-win && cpack -G ZIP)
