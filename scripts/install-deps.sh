#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing VaskEdit need.
# Quiet and quick when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  libgtest-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev
  # spell checking of display texts: the library and the dictionary the tests use
  libhunspell-dev hunspell-en-us
  qt6-base-dev qt6-base-dev-tools libgl-dev fonts-dejavu-core
  g++-mingw-w64-x86-64-posix wine64
  xvfb xauth xdotool x11-apps imagemagick
  clang-14 libclang-rt-14-dev
  # the install test and the packages: validators, manual pages, cpack's dependency
  # lookup, and the package test's Debian tree and archive
  desktop-file-utils appstream man-db groff-base file dpkg-dev debootstrap unzip
  # the tests drive git through the infos' diff and merge driver
  git
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
