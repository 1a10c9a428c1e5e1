# Shared by the Xvfb tests of the real program; sourced, with $out set to the test's
# output folder. Exits 77 (skipped) when Xvfb, xdotool or ImageMagick is missing, starts
# an Xvfb display of the test's own (DISPLAY, and its process in $xvfb), and defines
# fail, launch, find_window and find_new_window.

for tool in Xvfb xdotool import; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (the Xvfb tests need Xvfb, xdotool and ImageMagick)"
    exit 77
  fi
done

# The real program draws on this display, whatever platform the caller's tests use.
unset QT_QPA_PLATFORM

fail() { echo "FAILED: $*"; import -window root "$out/failure.png" 2>/dev/null; exit 1; }

# The server picks a free display number itself and says which; the tests wait until it
# takes clients.
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$out/display" 2>"$out/xvfb.log" &
xvfb=$!
for _ in $(seq 300); do [ -s "$out/display" ] && break; sleep 0.1; done
[ -s "$out/display" ] || fail "no Xvfb display could be started (see $out/xvfb.log)"
export DISPLAY=":$(cat "$out/display")"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
xdotool getdisplaygeometry >/dev/null 2>&1 || fail "the Xvfb display $DISPLAY takes no clients"

# Starts the program (the arguments) in $out, in the background, its output added to
# $out/vaskedit.log and its process in $app. A server that already took xdotool has
# been seen to refuse the program's first connection: such a start is tried again.
launch() {
  for _ in 1 2 3; do
    (cd "$out" && exec "$@") >>"$out/vaskedit.log" 2>&1 &
    app=$!
    sleep 1
    kill -0 "$app" 2>/dev/null && return
    grep -q "could not connect to display" "$out/vaskedit.log" || return
    echo "(the display refused the program; starting it again)"
  done
}

# The first window whose title matches, waited for up to a minute.
find_window() {
  local found=""
  for _ in $(seq 600); do
    found=$(xdotool search --name "$1" 2>/dev/null | head -1)
    [ -n "$found" ] && break
    sleep 0.1
  done
  echo "$found"
}

# The first window whose title matches and that is not the window given (wine may still
# list one that closed), waited for up to 30 seconds.
find_new_window() {
  local found=""
  for _ in $(seq 300); do
    found=$(xdotool search --name "$1" 2>/dev/null | grep -vx "$2" | head -1)
    [ -n "$found" ] && break
    sleep 0.1
  done
  echo "$found"
}
