#!/usr/bin/env bash
# Makes the pictures in assets/: the lamp circuit (sch.jpg), the choke
# measurement (L.jpg), the window icon (Icon.ICO), the hand cursor
# (Pointer.cur) and the forum banner (link.gif); and the desktop's menu
# icons in packaging/icons/ (PNG in the hicolor sizes, and an SVG). P.txt is
# not touched.
# The drawings come from the asset generator (tools/assetgen/, the CMake
# target korindo_assetgen), ImageMagick puts them into their file formats, the
# generator checks the results, and only then are they copied.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh" imagemagick
build="$root/build"
work=$(mktemp -d "${TMPDIR:-/tmp}/make-assets.XXXXXX")
trap 'rm -rf "$work"' EXIT

[[ -f "$build/build.ninja" ]] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target korindo_assetgen
"$build/korindo_assetgen" generate "$work"
cd "$work"

# Line drawings: full-resolution colour (no chroma subsampling), no metadata.
for name in sch L; do
    convert "$name.png" -strip -sampling-factor 1x1 -quality 92 "$name.jpg"
done

convert icon16.png icon32.png icon48.png Icon.ICO

# The banner's one global palette: 127 colours and the transparent one. The
# quantizer returns fewer colours than it is asked for, so ask for more until
# there are enough.
frames=(dark.png lit.png hi.png)
for asked in $(seq 128 255); do
    convert "${frames[@]}" +repage -background none -append +dither \
        -quantize sRGB -treedepth 8 -colors "$asked" -unique-colors palette.png
    [[ $(identify -format '%w' palette.png) -ge 128 ]] && break
done
# Shown 2 s dark, 1 s lit, 1 s with the top line highlighted; each frame is
# drawn over the one before.
convert -dispose none -delay 200 dark.png -delay 100 lit.png -delay 100 hi.png -loop 0 \
    +dither -remap palette.png link.gif

"$build/korindo_assetgen" check "$work"
identify link.gif

for name in sch.jpg L.jpg Icon.ICO Pointer.cur link.gif; do
    cp "$name" "$root/assets/$name"
done
mkdir -p "$root/packaging/icons"
cp korindo-*.png korindo.svg "$root/packaging/icons/"
echo "make-assets: wrote sch.jpg L.jpg Icon.ICO Pointer.cur link.gif to $root/assets"
echo "make-assets: wrote korindo-*.png korindo.svg to $root/packaging/icons"
