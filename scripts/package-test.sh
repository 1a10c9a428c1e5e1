#!/usr/bin/env bash
# The packages as a user gets them. Installs the Debian package into a fresh Debian 12
# tree and works the installed programs there: vaskedit-cli --version, a split and merge
# of a copy of the demo with a resave in between (which needs the installed templates),
# and the editor's Xvfb smoke test. Then unpacks the Windows zip and does the same with
# its vaskedit-cli.exe and vaskedit.exe under wine, and installs the Windows installer
# silently into a fresh wine prefix, works the installed editor and uninstalls it.
# Usage (as root): scripts/package-test.sh DEB ZIP
# The bare tree (debootstrap --variant=minbase bookworm, from the Debian mirror apt uses
# here) and the packages it downloads are kept in $VASK_PACKAGE_CACHE
# (/var/cache/vaskedit-package-test); each run works on a copy of the tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deb=$(realpath "$1")
zip=$(realpath "$2")
cache=${VASK_PACKAGE_CACHE:-/var/cache/vaskedit-package-test}
started=$SECONDS

if [ "$(id -u)" -ne 0 ]; then
  echo "The package test needs root (debootstrap, chroot)."
  exit 1
fi

# The Debian mirror of apt's own sources: one-line entries ("deb [options] URI SUITE
# ...") and deb822 stanzas ("URIs:" then "Suites:").
debian_mirror() {
  local files=() file
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] && files+=("$file")
  done
  [ ${#files[@]} -gt 0 ] && awk '
    /^[ \t]*deb[ \t]/ { sub(/\[[^]]*\]/, ""); if ($3 == "bookworm") { print $2; exit } }
    /^URIs:/ { uris = $2 }
    /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == "bookworm") { print uris; exit } }
  ' "${files[@]}"
}

bare=$cache/bookworm
mkdir -p "$cache/archives"
if [ ! -d "$bare" ]; then
  mirror=$(debian_mirror || true)
  mirror=${mirror:-http://deb.debian.org/debian}
  echo "=== Bootstrapping a bare Debian 12 tree from $mirror (once; kept in $bare)"
  rm -rf "$bare.new"
  debootstrap --variant=minbase bookworm "$bare.new" "$mirror" >"$cache/debootstrap.log" 2>&1 ||
    { tail -20 "$cache/debootstrap.log"; exit 1; }
  mv "$bare.new" "$bare"
fi

work=$(mktemp -d /var/tmp/vaskedit-package-test.XXXXXX)
tree=$work/tree
# Nothing may stay mounted, and a tree is removed only once nothing is mounted in it.
cleanup() {
  local status=$?
  if [ -n "${tree:-}" ] && mountpoint -q "$tree/proc"; then
    umount "$tree/proc" || umount -l "$tree/proc"
  fi
  if [ -n "${tree:-}" ] && grep -q " $tree/" /proc/mounts; then
    echo "Left $work in place: something is still mounted in it."
  else
    rm -rf "$work"
  fi
  exit $status
}
trap cleanup EXIT

echo "=== Installing $(basename "$deb") into a copy of the bare tree"
cp -a "$bare" "$tree"
cp /etc/resolv.conf "$tree/etc/resolv.conf"
mount -t proc proc "$tree/proc"
mkdir -p "$tree/root/test/scripts"
cp "$deb" "$tree/root/test/"
cp -R "$root/demo" "$tree/root/test/demo"
cp "$root/scripts/smoke-test.sh" "$root/scripts/xvfb-display.sh" "$tree/root/test/scripts/"
cp "$cache/archives/"*.deb "$tree/var/cache/apt/archives/" 2>/dev/null || true

in_tree() {
  chroot "$tree" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive /bin/bash -euo pipefail -c "$1"
}
keep_downloads() { cp -n "$tree/var/cache/apt/archives/"*.deb "$cache/archives/" 2>/dev/null || true; }

in_tree 'apt-get update -qq
# Only what the package asks for: recommended packages stay out.
apt-get install -y -qq --no-install-recommends /root/test/vaskedit_*.deb >/root/apt.log 2>&1 ||
  { tail -20 /root/apt.log; exit 1; }
missing=$(ldd /usr/bin/vaskedit /usr/bin/vaskedit-cli | grep "not found" || true)
[ -z "$missing" ] || { echo "FAILED: libraries missing: $missing"; exit 1; }
ls /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqxcb.so >/dev/null'
keep_downloads

echo "=== The installed vaskedit-cli"
version=$(dpkg-deb -f "$deb" Version)
in_tree "[ \"\$(vaskedit-cli --version)\" = 'vaskedit-cli $version' ] ||
  { echo 'FAILED: vaskedit-cli --version'; vaskedit-cli --version; exit 1; }
cp -R /root/test/demo /root/workspace && rm -rf /root/workspace/Infos
cd /root/workspace
for step in split 'resave Bob_BuySword' merge; do
  vaskedit-cli \$step >/dev/null 2>/root/step.log || { cat /root/step.log; exit 1; }
done
cmp w_info.hdrdoc Output/new_info.hdrdoc
echo 'split, resave (from the installed templates) and merge of the demo: the same document'"

echo "=== The installed editor under Xvfb"
in_tree 'apt-get install -y -qq --no-install-recommends xvfb xauth xdotool imagemagick >/root/apt-tools.log 2>&1 ||
  { tail -20 /root/apt-tools.log; exit 1; }'
keep_downloads
in_tree 'SMOKE_INSTALLED=1 /root/test/scripts/smoke-test.sh /usr/bin/vaskedit /root/smoke' ||
  { cat "$tree/root/smoke/vaskedit.log" 2>/dev/null; exit 1; }

echo "=== The Windows archive's vaskedit-cli.exe under wine"
wine=${WINE:-/usr/lib/wine/wine64}
mkdir -p "$work/windows" "$cache/wineprefix"
unzip -q "$zip" -d "$work/windows"
exe=$(find "$work/windows" -name vaskedit-cli.exe | head -1)
[ -n "$exe" ] || { echo "FAILED: no vaskedit-cli.exe in $(basename "$zip")"; exit 1; }
cp -R "$root/demo" "$work/workspace"
rm -rf "$work/workspace/Infos"
export WINEPREFIX=$cache/wineprefix WINEDEBUG=-all
for step in split 'resave Bob_BuySword' merge; do
  # shellcheck disable=SC2086 # the step is a command and its argument
  (cd "$work/workspace" && "$wine" "$exe" $step >/dev/null 2>"$work/step.log") ||
    { cat "$work/step.log"; exit 1; }
done
cmp "$work/workspace/w_info.hdrdoc" "$work/workspace/Output/new_info.hdrdoc"
echo "split, resave (from the archive's templates) and merge of the demo under wine: the same document"

# The editors of the archive and of the installer, each worked by the smoke test under
# wine on Xvfb; screenshots in $shots.
shots=${VASK_PACKAGE_SCREENSHOTS:-$root/build-win/package-test}
rm -rf "$shots"
mkdir -p "$shots"
wine_smoke() { # EXE NAME
  # A wine server still running from a program started without a display would show
  # no windows: the editor starts with a server of its own.
  "$(dirname "$wine")/wineserver" -k 2>/dev/null || true
  "$(dirname "$wine")/wineserver" -w 2>/dev/null || true
  SMOKE_INSTALLED=1 SMOKE_LAUNCHER=$wine "$root/scripts/smoke-test.sh" "$1" "$work/smoke-$2" ||
    { cat "$work/smoke-$2/vaskedit.log"; cp "$work/smoke-$2/"*.png "$shots/" 2>/dev/null; exit 1; }
  for png in "$work/smoke-$2/"*.png; do cp "$png" "$shots/$2-$(basename "$png")"; done
}
echo "=== The archive's vaskedit.exe under wine"
editor=$(find "$work/windows" -name vaskedit.exe | head -1)
[ -n "$editor" ] || { echo "FAILED: no vaskedit.exe in $(basename "$zip")"; exit 1; }
wine_smoke "$editor" zip

setup=${zip%.zip}-setup.exe
if [ -f "$setup" ]; then
  echo "=== $(basename "$setup"), installed silently for this user under wine"
  export WINEPREFIX=$work/install-prefix WINEDLLOVERRIDES=winemenubuilder.exe=d
  "$wine" wineboot --init >/dev/null 2>&1
  "$wine" "$setup" /S
  programs="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/VaskEdit"
  [ -f "$programs/vaskedit.exe" ] || { echo "FAILED: no vaskedit.exe in $programs"; exit 1; }
  find "$WINEPREFIX/drive_c/users" -path '*Start Menu*' -name 'VaskEdit*.lnk' | grep -q . ||
    { echo "FAILED: no Start menu entry"; exit 1; }
  "$wine" reg query 'HKCU\Software\Classes\VaskEdit.Info\shell\open\command' 2>/dev/null |
    grep -qi 'vaskedit.exe' || { echo "FAILED: .vaskinfo files do not open in VaskEdit"; exit 1; }
  if "$wine" reg query 'HKLM\Software\VaskEdit' >/dev/null 2>&1; then
    echo "FAILED: the per-user installer wrote to HKLM"; exit 1
  fi
  wine_smoke "$programs/vaskedit.exe" installed
  "$wine" "$programs/Uninstall.exe" /S
  for _ in $(seq 100); do [ -e "$programs/vaskedit.exe" ] || break; sleep 0.2; done
  [ ! -e "$programs/vaskedit.exe" ] || { echo "FAILED: the uninstaller left vaskedit.exe"; exit 1; }
  "$wine" reg query 'HKCU\Software\Classes\VaskEdit.Info' >/dev/null 2>&1 &&
    { echo "FAILED: the uninstaller left the .vaskinfo association"; exit 1; }
  echo "installed, started from its folder, uninstalled: nothing left"
fi
echo "Screenshots of the Windows editors: $shots"

echo "Package test passed in $((SECONDS - started)) s."
