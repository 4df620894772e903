#!/usr/bin/env bash
# Makes a WebAssembly build folder ready to publish as it is, after each
# build: the licence texts and the program's source beside the page, the
# service worker that keeps the page for use without a network, in a cache
# named after this build, and korindo.wasm compressed for hosts that serve
# compressed files.   tools/web/make-page.sh BUILD_FOLDER QT_FOLDER
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
qt=$2
source "$root/tools/qt-source.sh"
version=$(korindo_version "$root")

# The page runs on Emscripten's C and C++ libraries.
"$root/tools/copy-licenses.sh" "$build" "$qt"
cp /usr/share/doc/emscripten/copyright "$build/licenses/emscripten-copyright.txt"

# A page that lists them, for hosts that list no folders.
{
    echo '<!doctype html><html lang="ru"><head><meta charset="utf-8">'
    echo '<title>Кориндо: лицензии</title></head><body><ul>'
    (cd "$build" && find LICENSE licenses -type f | sort) | while read -r file; do
        echo "<li><a href=\"$file\">$file</a></li>"
    done
    echo '</ul></body></html>'
} > "$build/licenses.html"

# The GPL asks that the source go with the program: the commit it was built
# from, or the tree as it stands where there is no Git.
source=korindo-$version-source.tar.gz
if git -C "$root" rev-parse --is-inside-work-tree > /dev/null 2>&1; then
    git -C "$root" archive --format=tar.gz --prefix="korindo-$version/" -o "$build/$source" HEAD
else
    tar -C "$(dirname "$root")" -czf "$build/$source" --exclude="$(basename "$root")/build*" \
        --exclude=node_modules --transform="s,^$(basename "$root"),korindo-$version," \
        "$(basename "$root")"
fi

# Compressed once per new korindo.wasm: brotli at its best takes a while.
cd "$build"
if [[ korindo.wasm -nt korindo.wasm.gz ]]; then
    gzip -9 -n -k -f korindo.wasm
fi
if ! command -v brotli > /dev/null; then
    echo "make-page: no korindo.wasm.br: that needs brotli (Debian package brotli)"
elif [[ korindo.wasm -nt korindo.wasm.br ]]; then
    brotli -q 11 -k -f korindo.wasm
fi

# The cache is named after what it holds, so that a new build is kept apart
# from the old one and replaces it as a whole. It holds the page and what its
# corner line links: the source and the licences.
mapfile -t cached < <(printf '%s\n' index.html korindo.js korindo.wasm korindo.png korindo-192.png \
                          korindo-512.png manifest.json LICENSE licenses.html "$source";
                      find licenses -type f | sort)
build_id=$(cat "${cached[@]}" | sha256sum | cut -c1-16)
files=$(printf "'%s', " "${cached[@]}")
sed -e "s/@KORINDO_BUILD@/$build_id/" -e "s|@KORINDO_FILES@|${files%, }|" \
    "$root/packaging/web/sw.js" > sw.js.new
mv sw.js.new sw.js
