#!/usr/bin/env bash
# Makes the pictures in assets/: the lamp circuit (sch.jpg), the choke
# measurement (L.jpg), the window icon (Icon.ICO), the hand cursor
# (Pointer.cur) and the forum banner (link.gif); and the desktop's menu
# icons in packaging/icons/ (PNG in the hicolor sizes, and an SVG). P.txt is
# not touched.
# It builds the small Qt program in tools/assetgen/ in a temporary folder,
# draws everything with it, checks the results and only then copies them.
# Needs these Debian 12 packages: g++ pkg-config qt6-base-dev qt6-svg-dev
# fonts-liberation2 imagemagick.
set -euo pipefail

tools=$(cd "$(dirname "$0")" && pwd)
assets=$(cd "$tools/../assets" && pwd)
icons=$(cd "$tools/../packaging" && pwd)/icons
work=$(mktemp -d "${TMPDIR:-/tmp}/make-assets.XXXXXX")
trap 'rm -rf "$work"' EXIT

# shellcheck disable=SC2046 # pkg-config prints several words on purpose
g++ -std=c++20 -O2 -fPIC -Wall -Wextra $(pkg-config --cflags Qt6Gui Qt6Svg) \
    "$tools"/assetgen/*.cpp -o "$work/assetgen" $(pkg-config --libs Qt6Gui Qt6Svg)

"$work/assetgen" generate "$work"

# Line drawings: full-resolution colour (no chroma subsampling), no metadata.
for name in sch L; do
    convert "$work/$name.png" -strip -sampling-factor 1x1 -quality 92 "$work/$name.jpg"
done

"$work/assetgen" check "$work"
identify "$work/link.gif"

for name in sch.jpg L.jpg Icon.ICO Pointer.cur link.gif; do
    cp "$work/$name" "$assets/$name"
done
mkdir -p "$icons"
cp "$work"/korindo-*.png "$work/korindo.svg" "$icons/"
echo "make-assets: wrote sch.jpg L.jpg Icon.ICO Pointer.cur link.gif to $assets"
echo "make-assets: wrote korindo-*.png korindo.svg to $icons"
