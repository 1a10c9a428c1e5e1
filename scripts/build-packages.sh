#!/usr/bin/env bash
# Builds the Debian package from the Linux build (build/packages/vaskedit_*.deb) and, from
# the mingw build, the Windows zip (build-win/packages/vaskedit-*-windows-x64.zip: both
# programs, Qt's DLLs and plugins, the mingw runtime, the templates, help pages, README
# and licences) and the per-user installer (vaskedit-*-windows-x64-setup.exe). Qt for
# Windows is built into its cache first when it is not there (about an hour, once).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# cpack installs what is built: the packaged programs are built first.
cmake --preset release >/dev/null
cmake --build --preset release --target vaskedit vaskedit-cli
scripts/build-qt-windows.sh
if ! dpkg-query -W -f='${Status}' nsis 2>/dev/null | grep -q "install ok installed"; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends nsis >/dev/null
fi
cmake --preset windows >/dev/null
cmake --build --preset windows --target vaskedit vaskedit-cli
rm -rf build/packages build-win/packages
(cd build && cpack -G DEB)
(cd build-win && cpack -G "ZIP;NSIS")
