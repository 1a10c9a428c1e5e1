#!/usr/bin/env bash
# Runs the command-line tool on workspaces at and beyond the sizes of the game's data
# and reports the time and the peak memory of every step:
#   - 100,000 infos in "Infos/": cache update, filter, search and merge;
#   - a 1 GB "w_info.hdrdoc": its split, and the merge of the pieces back;
#   - a 100 MB info file: reading it (show) and writing it again (resave);
#   - a 2 GB text table: one lookup.
# A step may refuse with a message; a crash fails the run. Not part of the test command:
# it needs about 4 GB of free disk under TMPDIR and some minutes. Everything it writes
# is removed at the end.
#
# Usage: scripts/limits.sh [BUILD_DIR]   (default: build-limits)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${1:-build-limits}

if [ ! -x /usr/bin/time ]; then
  echo "limits.sh needs GNU time (/usr/bin/time, Debian package \"time\")." >&2
  exit 2
fi

echo "=== Build ($build)"
if ! cmake --preset limits -B "$build" >"$build.configure.log" 2>&1; then
  cat "$build.configure.log"
  exit 1
fi
cmake --build "$build" --target vaskedit-cli corpus_generator -j "$(nproc)" >/dev/null || exit 1
cli="$root/$build/cli/vaskedit-cli"
generator="$root/$build/bench/corpus_generator"
[ -x "$cli" ] || cli="$build/cli/vaskedit-cli"
[ -x "$generator" ] || generator="$build/bench/corpus_generator"

work=$(mktemp -d "${TMPDIR:-/tmp}/vaskedit-limits.XXXXXX")
trap 'rm -rf "$work"' EXIT
crashed=()

# Free disk in MB where the workspaces go.
free_mb() { df -Pm "$work" | awk 'NR == 2 { print $4 }'; }

# A workspace with the shipped resource templates.
workspace() {
  rm -rf "${work:?}/$1"
  mkdir -p "$work/$1"
  cp -r Resources "$work/$1/"
  echo "$work/$1"
}

# measure LABEL COMMAND...: one line with wall time, peak memory and the outcome.
measure() {
  local label=$1
  shift
  /usr/bin/time -v -o "$work/time.txt" "$@" >"$work/out.txt" 2>"$work/err.txt"
  local status=$?
  local wall rss verdict
  wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time.txt")
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time.txt")
  verdict="ok"
  if grep -q "terminated by signal" "$work/time.txt" || [ "$status" -ge 128 ]; then
    verdict="CRASH (exit status $status)"
    crashed+=("$label")
  elif [ "$status" -ne 0 ]; then
    verdict="refused: $(grep -v '^$' "$work/err.txt" | tail -n 1)"
  fi
  printf '%-44s %9s %8s MB  %s\n' "$label" "$wall" "$(( ${rss:-0} / 1024 ))" "$verdict"
}

size_of() { stat -c %s "$1" 2>/dev/null || echo 0; }
megabytes() { echo "$(( $(size_of "$1") / 1048576 )) MB"; }

printf '%-44s %9s %11s  %s\n' "step" "wall" "peak RSS" "outcome"

# --- 100,000 infos ---------------------------------------------------------------
if [ "$(free_mb)" -lt 1500 ]; then
  echo "100,000 infos: skipped, less than 1.5 GB of free disk"
else
  many=$(workspace many)
  "$generator" "$many" 100000 1000 7 >/dev/null
  rm -f "$many/w_info.hdrdoc"
  echo "--- 100,000 infos ($(du -sm "$many/Infos" | cut -f1) MB in Infos/)"
  measure "cache update" "$cli" -C "$many" cache update
  measure "filter (any field) over the cache" "$cli" -C "$many" filter Generated_1
  measure "search" "$cli" -C "$many" search "Generated line 99999 number"
  measure "merge" "$cli" -C "$many" merge
  echo "    merged document: $(megabytes "$many/Output/new_info.hdrdoc")"
  # Keep one info with a line to look up, for the table below.
  sample=$(grep -l "gCInfoCommandSay" "$many"/Infos/Bob_Info_1*.vaskinfo | head -n 1)
  cp "$sample" "$work/sample.vaskinfo"
  rm -rf "$many"
fi

# --- a 1 GB combined document ------------------------------------------------------
if [ "$(free_mb)" -lt 3500 ]; then
  echo "1 GB document: skipped, less than 3.5 GB of free disk"
else
  base=$(workspace base)
  "$generator" "$base" 20000 10 11 >/dev/null
  big=$(workspace bigdoc)
  # The generated document over and over, every copy's infos renamed, up to 1 GB.
  passes=()
  for k in $(seq 1 80); do passes+=("k=$k" "$base/w_info.hdrdoc"); done
  awk -v limit=$((1024 * 1024 * 1024)) '
    BEGIN { printf "class gCInfo {\r\n"; written = 16 }
    FNR == 1 || /^}\r$/ { next }
    substr($0, 1, 5) == "    \"" {
      if (written >= limit) exit
      sub(/" \{/, "_" k "\" {")
    }
    index($0, "bCString Name = \"") { sub(/";\r$/, "_" k "\";\r") }
    { print; written += length($0) + 1 }
    END { printf "}\r\n" }' "${passes[@]}" >"$big/w_info.hdrdoc"
  rm -rf "$base"
  echo "--- \"w_info.hdrdoc\" of $(megabytes "$big/w_info.hdrdoc")"
  measure "split" "$cli" -C "$big" split
  echo "    pieces in Infos/: $(find "$big/Infos" -name '*.vaskinfo' | wc -l)"
  rm -f "$big/w_info.hdrdoc"
  measure "merge of the pieces" "$cli" -C "$big" merge
  echo "    merged document: $(megabytes "$big/Output/new_info.hdrdoc")"
  rm -rf "$big"
fi

# --- a 100 MB info file ------------------------------------------------------------
if [ ! -f "$work/sample.vaskinfo" ]; then
  echo "100 MB info: skipped, no sample info"
elif [ "$(free_mb)" -lt 500 ]; then
  echo "100 MB info: skipped, less than 0.5 GB of free disk"
else
  huge=$(workspace hugeinfo)
  mkdir -p "$huge/Infos"
  # The sample's command list grown to 100 MB of lines.
  awk -v target=$((100 * 1024 * 1024)) '
    { lines[NR] = $0 }
    END {
      for (i = 1; i <= NR; i++) {
        line = lines[i]
        if (i <= 2) sub(/"[^"]*"/, "\"Huge_Info\"", line)
        print line
        if (line ~ /InfoCommands \{/) break
      }
      block = "            gCInfoCommandSay {\r\n                int Version = 1;\r\n" \
              "                bCString Speaker = \"Bob\";\r\n                bCString Listener = \"PC_Hero\";\r\n" \
              "                gCInfoLocString Text = \"HUGE_%d\";\r\n" \
              "                enum gEForcedDialogCam ForcedDialogCam = gEForcedDialogCam_None;\r\n            }\r\n"
      for (k = 0; k < target / length(block); k++) printf(block, k)
      for (i++; i <= NR; i++) print lines[i]
    }' "$work/sample.vaskinfo" >"$huge/Infos/Huge_Info.vaskinfo"
  echo "--- an info file of $(megabytes "$huge/Infos/Huge_Info.vaskinfo")"
  measure "show (read, printed as JSON)" "$cli" -C "$huge" show Infos/Huge_Info.vaskinfo
  measure "resave (read and write)" "$cli" -C "$huge" resave Huge_Info
  echo "    written again: $(megabytes "$huge/Infos/Huge_Info.vaskinfo")"
  rm -rf "$huge"
fi

# --- a 2 GB text table -------------------------------------------------------------
if [ ! -f "$work/sample.vaskinfo" ]; then
  echo "2 GB table: skipped, no sample info"
elif [ "$(free_mb)" -lt 2500 ]; then
  echo "2 GB table: skipped, less than 2.5 GB of free disk"
else
  tables=$(workspace table)
  mkdir -p "$tables/Infos"
  wanted=$(grep -A4 "gCInfoCommandSay" "$work/sample.vaskinfo" | sed -n 's/.*LocString Text = "\([^"]*\)".*/\1/p' | head -n 1)
  awk -v limit=$((2 * 1024 * 1024 * 1024)) -v wanted="$wanted" 'BEGIN {
      for (i = 0; written < limit; i++) {
        line = sprintf("TABLE_%09d|line|Line %d of the table, with the words that a line holds.|\r\n", i, i)
        printf "%s", line
        written += length(line)
      }
      printf "%s|line|Found at the end of the table.|\r\n", wanted
    }' >"$tables/infosa.csv"
  cp "$work/sample.vaskinfo" "$tables/Infos/Sample.vaskinfo"
  echo "--- \"infosa.csv\" of $(megabytes "$tables/infosa.csv")"
  measure "lookup (show an info with a line)" "$cli" -C "$tables" show Infos/Sample.vaskinfo
  if grep -q "Found at the end of the table." "$work/out.txt"; then
    echo "    the line at the end of the table was found"
  else
    echo "    the line at the end of the table was NOT found"
  fi
  rm -rf "$tables"
fi

if [ ${#crashed[@]} -ne 0 ]; then
  echo "CRASHED: ${crashed[*]}"
  exit 1
fi
echo "No crash."
