#!/usr/bin/env bash
# Copies the licence texts of everything a built program contains into a
# folder: the program's LICENSE, and under licenses/ the font's, Qt's with the
# libraries Qt bundles, and QCustomPlot's, from a static Qt cache.
#   tools/copy-licenses.sh FOLDER QT_FOLDER [FURTHER_QT_3RDPARTY_PART...]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
dest=$1
qt=$2
shift 2

mkdir -p "$dest/licenses/qt"
cp "$root/LICENSE" "$dest/"
cp "$root/assets/fonts/OFL.txt" "$dest/licenses/LiberationSans-OFL.txt"
# Qt is under the LGPL 3 (whose text builds on the GPL 3); the libraries it
# bundles into QtCore, QtGui and the picture plugins come with their own.
cp "$qt"/licenses/{LGPL-3.0-only,GPL-3.0-only}.txt "$dest/licenses/qt/"
for part in libjpeg libpng zlib freetype harfbuzz-ng pcre2 double-conversion \
            md4c tinycbor sha3 blake2 rfc6234 md4 md5 sha1 siphash easing icc "$@"; do
    [[ -d $qt/licenses/3rdparty/$part ]] || continue
    mkdir -p "$dest/licenses/qt/3rdparty"
    rm -rf "$dest/licenses/qt/3rdparty/$part"
    cp -r "$qt/licenses/3rdparty/$part" "$dest/licenses/qt/3rdparty/"
done

# QCustomPlot, which draws the plot, is under the GPL 3 as the program is.
rm -rf "$dest/licenses/qcustomplot"
cp -r "$qt/licenses/qcustomplot" "$dest/licenses/qcustomplot"
