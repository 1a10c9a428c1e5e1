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
# The Windows icon: the same PNGs inside one .ico (Windows Vista and later read PNG
# entries), for the program's resource and the installer.
python3 - "$here" <<'PY'
import struct, sys
here = sys.argv[1]
images = [open(f"{here}/icons/{s}/org.vaskedit.VaskEdit.png", "rb").read() for s in (16, 32, 48, 64, 128, 256)]
sizes = (16, 32, 48, 64, 128, 256)
out = struct.pack("<HHH", 0, 1, len(images))
offset = 6 + 16 * len(images)
for size, data in zip(sizes, images):
    out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
open(f"{here}/org.vaskedit.VaskEdit.ico", "wb").write(out + b"".join(images))
PY
