#!/usr/bin/env bash
# Starts the real editor under Xvfb on a fresh copy of the demo workspace, types a new
# info into Ctrl+N's editor, waits for the copy of the unsaved work and kills the program
# (kill -9). Started again, it must ask about the unsaved work; "Restore" (the default
# button) opens the info unsaved, and saving it writes what was typed before the kill.
# Saves a screenshot of the question and of the restored editor.
# Usage: scripts/recovery-smoke-test.sh PROGRAM OUTPUT_DIR
# Exit 77 (skipped) when Xvfb or xdotool is missing.
set -uo pipefail
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
out=$2
root=$(cd "$(dirname "$0")/.." && pwd)

rm -rf "$out"
mkdir -p "$out/workspace"
cp -R "$root/demo/." "$out/workspace/"
cp -R "$root/Resources" "$root/Documents" "$out/workspace/"

app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT
# shellcheck source=xvfb-display.sh
. "$root/scripts/xvfb-display.sh"

# The recent workspaces and the copies of unsaved work go to folders of the test's own.
export XDG_CONFIG_HOME="$out/config"
export XDG_STATE_HOME="$out/state"
# Real windows on the display, whatever platform the tests around it use.
unset QT_QPA_PLATFORM
start() { launch "$program" -C workspace; }
recovery_files() { find "$out/state" -name '*.vaskrecovery' 2>/dev/null; }

start
main=$(find_window '^VaskEdit$')
[ -n "$main" ] || fail "the main window did not appear"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$main")"
click() { xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1; sleep 0.3; }

# Ctrl+N's empty editor: a name, an owner and a quest typed in.
click 400 60
xdotool key ctrl+n
editor=$(find_window '^Info Editor')
[ -n "$editor" ] || fail "Ctrl+N opened no info editor"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$editor")"
click 270 132
xdotool type --delay 20 "Recovered_Smoke"
click 780 38
xdotool type --delay 20 "Mira"
click 270 315
xdotool type --delay 20 "Q_Smoke"
for _ in $(seq 100); do [ -n "$(recovery_files)" ] && break; sleep 0.1; done
[ -n "$(recovery_files)" ] || fail "no copy of the unsaved work was written"
# The copy holds the last of the typing once it has been quiet for a while.
for _ in $(seq 150); do grep -q '^Quest=Q_Smoke$' $(recovery_files) && break; sleep 0.1; done
grep -q '^Quest=Q_Smoke$' $(recovery_files) || fail "the copy lacks the typed quest"

kill -9 "$app"
wait "$app" 2>/dev/null
app=""
[ -e "$out/workspace/Infos/Recovered_Smoke.vaskinfo" ] && fail "the info was written before it was saved"

start
question=$(find_window '^Caution$')
[ -n "$question" ] || fail "the start did not ask about the unsaved work"
sleep 0.5
import -window "$question" "$out/recovery-question.png"
xdotool windowfocus --sync "$question"
xdotool key Return # "Restore"
restored=$(find_window '^Info Editor\*$')
[ -n "$restored" ] || fail "Restore opened no unsaved info editor"
sleep 0.5
import -window "$restored" "$out/restored-editor.png"
[ -e "$out/workspace/Infos/Recovered_Smoke.vaskinfo" ] && fail "Restore wrote the info"

# Saved: "Are you sure?" answered with its default button, Yes.
eval "$(xdotool getwindowgeometry --shell "$restored")"
click 48 52
sleep 1
xdotool key Return
info=$out/workspace/Infos/Recovered_Smoke.vaskinfo
for _ in $(seq 100); do [ -s "$info" ] && break; sleep 0.1; done
[ -s "$info" ] || fail "the restored info was not saved"
grep -q 'Q_Smoke' "$info" || fail "the saved info lacks the quest typed before the kill"
grep -q 'Mira' "$info" || fail "the saved info lacks the owner typed before the kill"
for _ in $(seq 30); do [ -z "$(recovery_files)" ] && break; sleep 0.1; done
[ -z "$(recovery_files)" ] || fail "the copy of the work stayed after the save"
kill -0 "$app" 2>/dev/null || fail "the editor ended unexpectedly"
echo "Recovery smoke test passed: screenshots in $out"
