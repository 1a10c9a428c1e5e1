#!/usr/bin/env bash
# Builds Qt for 64-bit Windows once, from Debian's own qtbase source, with the mingw-w64
# toolchain of cmake/mingw-w64.cmake and Debian's host Qt tools, and installs it into a
# cache folder outside the tree (VASK_QT_WINDOWS_CACHE, by default
# /var/cache/vaskedit/qt6-windows-6.4.2). Nothing happens when the cache is there.
#
# About an hour on two cores. An interrupted run goes on where it stopped: the source
# and the build lie in a work folder beside the cache until the install is done.
# VASK_QT_CONFIGURE_ONLY=1 stops after the configure step (to check the options);
# VASK_QT_JOBS sets the number of compile jobs (default: all cores).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

qt_version=6.4.2
cache=${VASK_QT_WINDOWS_CACHE:-/var/cache/vaskedit/qt6-windows-$qt_version}
work=$cache.work
jobs=${VASK_QT_JOBS:-$(nproc)}
host_cmake_dir=$(dirname "$(dirname "$(find /usr/lib -maxdepth 4 -path '*/cmake/Qt6HostInfo/Qt6HostInfoConfig.cmake' -print -quit)")")
started=$SECONDS

say() { printf '[qt-windows %4dm%02ds] %s\n' $(((SECONDS - started) / 60)) $(((SECONDS - started) % 60)) "$*"; }

if [ -f "$cache/.complete" ]; then
    echo "Qt $qt_version for Windows is ready in $cache."
    exit 0
fi

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# The tools: the cross compiler, the host Qt whose moc, rcc and uic the cross build uses,
# and dpkg-source to unpack the source package.
needed=()
for p in g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools dpkg-dev cmake ninja-build; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || needed+=("$p")
done
if [ ${#needed[@]} -ne 0 ]; then
    say "installing ${needed[*]}"
    as_root apt-get update -qq
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "${needed[@]}" >/dev/null
fi
if [ -z "$host_cmake_dir" ]; then
    echo "build-qt-windows: Debian's Qt6HostInfo is missing (package qt6-base-dev)" >&2
    exit 1
fi
host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
case "$host_version" in
"$qt_version"*) ;;
*)
    echo "build-qt-windows: the host Qt is $host_version, the cross build needs $qt_version" >&2
    exit 1
    ;;
esac

as_root mkdir -p "$(dirname "$cache")"
as_root mkdir -p "$work"
[ -w "$work" ] || as_root chown "$(id -u):$(id -g)" "$work"

# 1. The source, with Debian's patches applied.
# Adds deb-src for the suite the system installs from, when no source entry is there.
ensure_deb_src() {
    local lists=() f
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] && lists+=("$f")
    done
    if [ ${#lists[@]} -ne 0 ] && grep -Eqs '^[[:space:]]*(deb-src[[:space:]]|Types:.*deb-src)' "${lists[@]}"; then
        return 0
    fi
    local suite uri=""
    suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    if [ -z "$suite" ]; then
        echo "build-qt-windows: cannot tell the Debian suite from /etc/os-release" >&2
        exit 1
    fi
    # The mirror of an existing entry for that suite: one-line or deb822 form.
    for f in "${lists[@]}"; do
        case "$f" in
        *.sources)
            uri=$(awk -v suite="$suite" '
                /^[[:space:]]*$/ { if (deb && hit && u) { print u; exit } deb = hit = 0; u = ""; next }
                /^Types:/ { for (i = 2; i <= NF; i++) if ($i == "deb") deb = 1 }
                /^URIs:/ { u = $2 }
                /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == suite) hit = 1 }
                END { if (deb && hit && u) print u }' "$f" | head -n 1)
            ;;
        *)
            uri=$(awk -v suite="$suite" '$1 == "deb" {
                for (i = 2; i <= NF; i++) if ($i !~ /^\[/ && $(i + 1) == suite) { print $i; exit } }' "$f")
            ;;
        esac
        [ -n "$uri" ] && break
    done
    uri=${uri:-http://deb.debian.org/debian}
    say "adding deb-src $uri $suite"
    as_root tee /etc/apt/sources.list.d/vaskedit-deb-src.sources >/dev/null <<EOF
Types: deb-src
URIs: $uri
Suites: $suite
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    as_root apt-get update -qq
}

source_dir=$work/qtbase
if [ ! -f "$work/source.done" ]; then
    ensure_deb_src
    say "fetching the qt6-base source"
    rm -rf "$source_dir" "$work"/qt6-base-*
    version=$(apt-cache showsrc qt6-base | awk '/^Version:/ { print $2 }' | grep "^$qt_version" | sort -V | tail -n 1)
    if [ -z "$version" ]; then
        echo "build-qt-windows: no qt6-base $qt_version source in the configured suites" >&2
        exit 1
    fi
    (cd "$work" && apt-get source -qq "qt6-base=$version" >"$work/source.log" 2>&1) || {
        cat "$work/source.log" >&2
        exit 1
    }
    mv "$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)" "$source_dir"
    echo "$version" >"$work/source.version"
    touch "$work/source.done"
fi
source_version=$(cat "$work/source.version")

# 2. Configure: Core, Gui, Widgets and Test; the windows and offscreen platform plugins
# and the Windows styles; the third-party libraries built in, so that no DLL from
# elsewhere is needed. Debian's source lacks wintab.h, which tablet support needs.
build_dir=$work/build
if [ ! -f "$work/configure.done" ]; then
    say "configuring qtbase $source_version for Windows (log: $work/configure.log)"
    rm -rf "$build_dir"
    configure_started=$SECONDS
    launcher=()
    command -v ccache >/dev/null && launcher=(-DQT_USE_CCACHE=ON)
    if ! cmake -G Ninja -S "$source_dir" -B "$build_dir" \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$cache" \
        -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
        -DBUILD_SHARED_LIBS=ON \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
        -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
        -DFEATURE_gui=ON -DFEATURE_widgets=ON -DFEATURE_testlib=ON \
        -DFEATURE_tabletevent=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
        -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_freetype=ON \
        -DFEATURE_system_jpeg=OFF -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF \
        -DFEATURE_style_windows=ON -DFEATURE_style_windowsvista=ON \
        "${launcher[@]}" >"$work/configure.log" 2>&1; then
        tail -n 40 "$work/configure.log" >&2
        echo "build-qt-windows: configure failed; the whole log is $work/configure.log" >&2
        exit 1
    fi
    say "configured in $((SECONDS - configure_started)) s"
    # What the configuration holds, for the log and the next reader.
    grep -E '(Building shared libraries|Qt Gui|Qt Widgets|Qt Testlib|Qt Network|Qt Sql|Qt PrintSupport|Dynamic OpenGL|DirectWrite|Styles) \.' \
        "$build_dir/config.summary" || true
    touch "$work/configure.done"
fi
if [ "${VASK_QT_CONFIGURE_ONLY:-0}" = 1 ]; then
    say "stopping after the configure step (VASK_QT_CONFIGURE_ONLY=1)"
    exit 0
fi

# 3. Build, showing every 200th step; the whole output goes to the log.
say "building with $jobs jobs (log: $work/build.log)"
set +e
cmake --build "$build_dir" -j "$jobs" 2>&1 | tee -a "$work/build.log" |
    awk -v begun="$SECONDS" '
        match($0, /^\[[0-9]+\/[0-9]+\]/) {
            split(substr($0, 2, RLENGTH - 2), step, "/")
            if (step[1] % 200 == 0 || step[1] == step[2])
                printf "[qt-windows] step %d of %d\n", step[1], step[2]
            next
        }
        /error|FAILED/ { print }'
status=${PIPESTATUS[0]}
set -e
if [ "$status" -ne 0 ]; then
    echo "build-qt-windows: the build failed (log: $work/build.log); run again to go on" >&2
    exit 1
fi

# 4. Install into a fresh folder and move it into place, with the licence and where the
# source came from; only a complete cache carries .complete.
say "installing into $cache"
staging=$cache.staging
rm -rf "$staging"
DESTDIR="" cmake --install "$build_dir" --prefix "$staging" >"$work/install.log"
mkdir -p "$staging/licenses"
for licence in LICENSE.LGPL3 LICENSE.GPL2 LICENSE.GPL3 LICENSE.FDL LICENSES/LGPL-3.0-only.txt; do
    [ -f "$source_dir/$licence" ] && cp "$source_dir/$licence" "$staging/licenses/"
done
cp "$source_dir/debian/copyright" "$staging/licenses/debian-copyright" 2>/dev/null || true
cat >"$staging/licenses/QT-SOURCE.txt" <<EOF
The Qt libraries and plugins shipped with VaskEdit for Windows are Qt $qt_version
(qtbase), built unmodified from Debian's source package qt6-base $source_version
("apt-get source qt6-base=$source_version" on Debian $(. /etc/os-release && echo "${VERSION_CODENAME:-}")),
with Debian's patches, configured by VaskEdit's scripts/build-qt-windows.sh and
cross-compiled with mingw-w64. Qt is used under the GNU Lesser General Public License
version 3 (LICENSE.LGPL3 beside this file). The source is available from Debian's
archive under that name and version.
EOF
rm -rf "$cache"
mv "$staging" "$cache"
touch "$cache/.complete"
rm -rf "$work"
say "Qt $qt_version for Windows is ready in $cache ($(du -sh "$cache" | cut -f1)); total time $((SECONDS - started)) s"
