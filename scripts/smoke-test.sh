#!/usr/bin/env bash
# Starts the real editor under Xvfb on a fresh copy of the demo workspace and works it
# with real mouse clicks and key presses: "Update Cache", a search, opening the found
# info with Ctrl+E from the search box, an edit of it saved and compared byte for byte,
# a save over the file changed by another program meanwhile, and Ctrl+N's empty info
# editor. Saves a screenshot of each window.
# Usage: scripts/smoke-test.sh PROGRAM OUTPUT_DIR
# With SMOKE_INSTALLED=1 the workspace gets no Resources/ and Documents/: an installed
# program finds its own.
# With SMOKE_LAUNCHER set, that program starts it (wine for vaskedit.exe).
# Exit 77 (skipped) when Xvfb or xdotool is missing.
set -uo pipefail
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
out=$2
root=$(cd "$(dirname "$0")/.." && pwd)

rm -rf "$out"
mkdir -p "$out/workspace"
cp -R "$root/demo/." "$out/workspace/"
if [ "${SMOKE_INSTALLED:-0}" != 1 ]; then
  cp -R "$root/Resources" "$root/Documents" "$out/workspace/"
fi
rm -f "$out/workspace/infocache"

xvfb=""
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  # Wine's programs live on in its server: end those of this prefix.
  if [ -n "${SMOKE_LAUNCHER:-}" ] && [ -x "$(dirname "$SMOKE_LAUNCHER")/wineserver" ]; then
    "$(dirname "$SMOKE_LAUNCHER")/wineserver" -k 2>/dev/null
  fi
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT
# shellcheck source=xvfb-display.sh
. "$root/scripts/xvfb-display.sh"

# Started beside the workspace and sent into it with -C; the recent workspaces go to a
# settings folder of the test's own.
export XDG_CONFIG_HOME="$out/config"
launch ${SMOKE_LAUNCHER:-} "$program" -C workspace

main=$(find_window '^VaskEdit$')
[ -n "$main" ] || fail "the main window did not appear"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$main")" # X, Y of the window
click() { xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1; sleep 0.3; }

# "Update Cache" builds "infocache" from "Infos/".
click 155 96
for _ in $(seq 300); do [ -s "$out/workspace/infocache" ] && break; sleep 0.1; done
[ -s "$out/workspace/infocache" ] || fail "Update Cache wrote no infocache"
sleep 2 # the list is filled once the file is written; wine draws later
import -window "$main" "$out/main-window.png"

# A search typed into the search box and started with Enter.
click 810 249
xdotool windowfocus --sync "$main"
xdotool type --delay 20 "GE_Mira_AskedForHerbs"
xdotool key Return
sleep 1.5
# The first row of the result, opened with Ctrl+E while the search box has the focus.
open_first_row() {
  eval "$(xdotool getwindowgeometry --shell "$main")"
  click 90 142
  click 810 249
  xdotool key ctrl+e
  editor=$(find_window '^Info Editor( - [0-9]+ of [0-9]+)?$')
  [ -n "$editor" ] || fail "$1"
  sleep 0.5
}
# "Edit", then the owner typed into the Owner box. The places clicked lie inside the
# button and the box as Linux and Windows lay them out.
type_owner() {
  eval "$(xdotool getwindowgeometry --shell "$editor")"
  click 225 51
  click 700 38
  xdotool windowfocus --sync "$editor" # wine's windows take keys only once focused
  xdotool key ctrl+a
  xdotool type --delay 20 "$1"
}
open_first_row "no info editor opened from the search result"
import -window "$editor" "$out/info-editor.png"

# An edit saved: "Edit", Owner "Mira" -> "Mira_Smoke", Ctrl+S (Save, which closes the
# editor). The file must differ from the demo's in that one value and nowhere else, byte
# for byte.
info=$out/workspace/Infos/Mira_HealingHerbs.vaskinfo
sed 's/bCString Owner = "Mira";/bCString Owner = "Mira_Smoke";/' \
  "$root/demo/Infos/Mira_HealingHerbs.vaskinfo" >"$out/expected.vaskinfo"
cmp -s "$out/expected.vaskinfo" "$info" && fail "the expected file equals the demo's"
type_owner "Mira_Smoke"
xdotool key ctrl+s
# "File <...> does already exist. Continue?": Yes is the default button.
sleep 1
xdotool key Return
for _ in $(seq 100); do cmp -s "$out/expected.vaskinfo" "$info" && break; sleep 0.1; done
cmp "$out/expected.vaskinfo" "$info" || { import -window root "$out/failure.png"; fail "the saved file is not the demo's with the new owner"; }

# Changed by another program while open: the save asks; Cancel keeps the other
# program's bytes; "Save anyway" (the first Tab reaches "Reload", the second it) writes
# over them and keeps them under Backup/.
open_first_row "the saved info did not open again"
type_owner "Mira_Twice"
sed -i 's/bCString Owner = "Mira_Smoke";/bCString Owner = "Mira_Outside";/' "$info"
cp "$info" "$out/outside.vaskinfo"
sed 's/bCString Owner = "Mira";/bCString Owner = "Mira_Twice";/' \
  "$root/demo/Infos/Mira_HealingHerbs.vaskinfo" >"$out/expected-twice.vaskinfo"
xdotool key ctrl+s
question=$(find_window '^Changed on disk$')
[ -n "$question" ] || fail "a save over a file changed on disk did not ask"
import -window root "$out/changed-on-disk.png"
xdotool windowfocus --sync "$question"
xdotool key Escape
sleep 1
cmp -s "$out/outside.vaskinfo" "$info" || fail "Cancel did not keep the file changed on disk"
first=$question
xdotool windowfocus --sync "$editor"
xdotool key ctrl+s
question=$(find_new_window '^Changed on disk$' "$first")
[ -n "$question" ] || fail "the second save did not ask again"
xdotool windowfocus --sync "$question"
xdotool key Tab Tab
import -window root "$out/save-anyway.png"
xdotool key space
# "File <...> does already exist. Continue?", when asked: Yes is the default button.
for _ in $(seq 100); do
  cmp -s "$out/expected-twice.vaskinfo" "$info" && break
  if caution=$(xdotool search --name '^Caution$' 2>/dev/null | head -1) && [ -n "$caution" ]; then
    xdotool windowfocus --sync "$caution"
    xdotool key Return
  fi
  sleep 0.1
done
cmp "$out/expected-twice.vaskinfo" "$info" || fail "Save anyway did not write the editor's info"
grep -rlq 'bCString Owner = "Mira_Outside";' "$out/workspace/Backup" ||
  fail "the version changed on disk is not under Backup/"

# Ctrl+N in the main window opens an empty info editor.
eval "$(xdotool getwindowgeometry --shell "$main")"
click 400 60
xdotool key ctrl+n
fresh=$(find_new_window '^Info Editor' "$editor")
[ -n "$fresh" ] || fail "Ctrl+N opened no info editor"
sleep 0.5
import -window "$fresh" "$out/new-info-editor.png"
kill -0 "$app" 2>/dev/null || fail "the editor ended unexpectedly"
echo "Smoke test passed: screenshots in $out"
