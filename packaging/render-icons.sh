#!/usr/bin/env bash
# Renders the icon's PNG sizes from its SVG (rsvg-convert, Debian's librsvg2-bin).
# Run after changing the SVG; the PNGs are kept in the repository.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for size in 16 32 48 64 128 256; do
  mkdir -p "$here/icons/$size"
  rsvg-convert -w "$size" -h "$size" "$here/org.vaskedit.VaskEdit.svg" \
    -o "$here/icons/$size/org.vaskedit.VaskEdit.png"
done
