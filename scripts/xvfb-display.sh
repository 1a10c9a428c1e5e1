# Shared by the Xvfb tests of the real program; sourced, with $out set to the test's
# output folder. Exits 77 (skipped) when Xvfb, xdotool or ImageMagick is missing, starts
# an Xvfb display of the test's own (DISPLAY, and its process in $xvfb), and defines
# fail and find_window.

for tool in Xvfb xdotool import; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (the Xvfb tests need Xvfb, xdotool and ImageMagick)"
    exit 77
  fi
done

fail() { echo "FAILED: $*"; import -window root "$out/failure.png" 2>/dev/null; exit 1; }

# A display number of its own, far above those that -displayfd hands out from 0 up: a
# server started at the same time in another sandbox that shares /tmp cannot see this
# one's lock and could take its number.
xvfb=""
for _ in $(seq 10); do
  number=$((100 + RANDOM % 800))
  Xvfb ":$number" -screen 0 1600x1000x24 -nolisten tcp 2>"$out/xvfb.log" &
  xvfb=$!
  export DISPLAY=":$number"
  for _ in $(seq 50); do
    kill -0 "$xvfb" 2>/dev/null || break
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
  done
  kill -0 "$xvfb" 2>/dev/null && xdotool getdisplaygeometry >/dev/null 2>&1 && break
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  xvfb=""
done
[ -n "$xvfb" ] || fail "no Xvfb display could be started (see $out/xvfb.log)"

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
