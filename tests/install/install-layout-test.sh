#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks what a user gets: the two
# programs, the templates and help pages, a desktop entry and metainfo that validate,
# the icons, manual pages that render without warnings, a bash completion that
# completes, and an installed vaskedit-cli that finds its templates from any folder.
# Usage: install-layout-test.sh BUILD_DIR SOURCE_DIR VERSION
set -uo pipefail
build=$1
source=$2
version=$3

dest=$(mktemp -d "${TMPDIR:-/tmp}/vaskedit-install.XXXXXX")
trap 'rm -rf "$dest"' EXIT
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

if ! DESTDIR="$dest" cmake --install "$build" --prefix /usr >"$dest.log" 2>&1; then
  cat "$dest.log"
  rm -f "$dest.log"
  echo "FAILED: cmake --install"
  exit 1
fi
rm -f "$dest.log"
usr=$dest/usr
data=$usr/share/vaskedit

for program in vaskedit vaskedit-cli; do
  [ -x "$usr/bin/$program" ] || fail "bin/$program is missing"
done
for folder in include lib; do
  [ ! -e "$usr/$folder" ] || fail "$folder/ was installed"
done

templates=$(find "$data/Resources" -type f 2>/dev/null | wc -l)
[ "$templates" -eq 56 ] || fail "share/vaskedit/Resources holds $templates files, not 56"
diff -r "$source/Resources" "$data/Resources" >/dev/null || fail "the templates differ from the source's"
for page in main infoeditor; do
  [ -s "$data/Documents/site/$page/index.html" ] || fail "the help page $page is missing"
done

desktop=$usr/share/applications/org.vaskedit.VaskEdit.desktop
metainfo=$usr/share/metainfo/org.vaskedit.VaskEdit.metainfo.xml
if [ ! -f "$desktop" ]; then
  fail "no desktop entry"
elif ! report=$(desktop-file-validate "$desktop" 2>&1) || [ -n "$report" ]; then
  fail "the desktop entry does not validate: $report"
fi
if [ ! -f "$metainfo" ]; then
  fail "no metainfo"
elif ! report=$(appstreamcli validate --no-net "$metainfo" 2>&1); then
  fail "the metainfo does not validate: $report"
fi
icons=$usr/share/icons/hicolor
[ -s "$icons/scalable/apps/org.vaskedit.VaskEdit.svg" ] || fail "no scalable icon"
for size in 16 32 48 64 128 256; do
  file "$icons/${size}x$size/apps/org.vaskedit.VaskEdit.png" 2>&1 |
    grep -q "PNG image data, $size x $size," || fail "no $size x $size icon"
done

for page in vaskedit vaskedit-cli; do
  man=$usr/share/man/man1/$page.1
  warnings=$(groff -man -Tutf8 -z -ww "$man" 2>&1)
  [ -f "$man" ] && [ -z "$warnings" ] || fail "the manual page $page(1) is missing or warns: $warnings"
  MANWIDTH=80 man -l "$man" 2>/dev/null | grep -q "^NAME" || fail "man cannot show $page(1)"
done

completion=$usr/share/bash-completion/completions/vaskedit-cli
completed=$(bash -c 'source "$1" && complete -p vaskedit-cli >/dev/null &&
  COMP_WORDS=(vaskedit-cli templates f) COMP_CWORD=2 && _vaskedit_cli &&
  echo "${COMPREPLY[*]}"' _ "$completion" 2>&1)
[ "$completed" = "find filter" ] || fail "the completion gave \"$completed\" for \"templates f\""

# The installed tool, run by its bare name and from a folder without Resources/, finds
# its templates in its prefix's share folder (resave writes from them), and so does a
# relative path to the program after -C. Split, resave and merge give the demo's
# document back.
work=$dest/work
cp -R "$source/demo" "$work"
rm -rf "$work/Infos" "$work/Resources"
info=Bob_BuySword
[ "$(PATH=$usr/bin:$PATH vaskedit-cli --version)" = "vaskedit-cli $version" ] ||
  fail "vaskedit-cli --version does not say $version"
run() { # run FOLDER ARGUMENT...: the installed tool, found on PATH, in FOLDER
  local folder=$1
  shift
  (cd "$folder" && PATH=$usr/bin:$PATH "$@" >/dev/null 2>"$dest/run.log") ||
    fail "$* failed: $(cat "$dest/run.log")"
}
run "$work" vaskedit-cli split
run "$work" vaskedit-cli resave "$info"
run "$usr" ./bin/vaskedit-cli -C "$work" resave "$info"
run "$work" vaskedit-cli merge
cmp -s "$work/w_info.hdrdoc" "$work/Output/new_info.hdrdoc" ||
  fail "the installed vaskedit-cli's merge differs from the demo document"

if [ "$failures" -ne 0 ]; then
  exit 1
fi
echo "The installed layout is complete."
