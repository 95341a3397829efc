#!/usr/bin/env bash
# Regenerates velqor.ico (the exe's icon) with ImageMagick: the red circle of
# rotation on black, with the white point on it, at 16, 24, 32, 48 and 256 pixels.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
frames=()
for s in 16 24 32 48 256; do
  draw=$(awk -v s="$s" 'BEGIN {
    c = s / 2; r = s * 0.34; w = (s < 32) ? 1.5 : s / 20; d = (s < 32) ? 2 : s / 11
    a = 40 * 3.14159265 / 180; px = c + r * cos(a); py = c - r * sin(a)
    printf "fill black stroke none circle %g,%g %g,%g ", c - 0.5, c - 0.5, c - 0.5, 0
    printf "fill none stroke rgb(255,0,0) stroke-width %g circle %g,%g %g,%g ", w, c - 0.5, c - 0.5, c - 0.5 + r, c - 0.5
    printf "fill white stroke none circle %g,%g %g,%g\n", px - 0.5, py - 0.5, px - 0.5 + d, py - 0.5
  }')
  convert -size "${s}x${s}" xc:none -draw "$draw" "PNG32:$tmp/icon$s.png"
  frames+=("$tmp/icon$s.png")
done
convert "${frames[@]}" velqor.ico
