#!/usr/bin/env bash
# Makes the Windows (.ico) and macOS (.icns) icons from the SVG sources in resources/app. The
# results are checked in, so a build needs none of these tools; run this again after changing
# an SVG (Debian: apt-get install librsvg2-bin icoutils icnsutils).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
svg="$here/../resources/app"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

for name in quillmar quillmar-document; do
    for size in 16 24 32 48 64 128 256 512 1024; do
        rsvg-convert -w "$size" -h "$size" "$svg/$name.svg" -o "$work/$name-$size.png"
    done
    # Windows takes the 256 px image as PNG and the small ones as bitmaps.
    icotool -c -o "$here/windows/$name.ico" \
        "$work/$name"-{16,24,32,48,64,128}.png --raw="$work/$name-256.png"
    png2icns "$here/macos/$name.icns" "$work/$name"-{16,32,48,128,256,512,1024}.png >/dev/null
done
