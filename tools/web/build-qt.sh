#!/usr/bin/env bash
# Builds a static Qt 6 for WebAssembly from Debian 13's own qt6-base source
# package with Debian 13's emscripten, and QCustomPlot on it from Debian's
# qcustomplot source, once, into a cache outside the tree. Later runs find it
# and return. Prints the cache's folder on its last line. Runs inside the
# Debian 13 root (tools/web/debian13.sh), whose apt entries name the sources.
#
#   tools/web/debian13.sh tools/web/build-qt.sh   builds the cache if it is missing
#   KORINDO_QT_WASM=/some/folder ...              puts the cache there instead of
#                                                 ~/.cache/korindo/qt6.8-wasm
set -eEuo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/../qt-source.sh"
cache=${KORINDO_QT_WASM:-$HOME/.cache/korindo/qt6.8-wasm}
# Raise when the configure line or the patches change, so old caches are
# rebuilt; the modules have recipes of their own below.
recipe="qt6-base 6.8.2 static wasm accessible, recipe 10"

# qt6-base, in a subshell of its own, so that its scratch folder goes when it
# ends.
build_base() (
    # emcc runs Node.js, whose modules (acorn) Debian keeps there.
    export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

    qt_start "$cache" "WebAssembly"

    # One thread, as a page without cross-origin isolation allows; optimised
    # for size, since the browser downloads and compiles all of it before the
    # first frame; the picture formats of the data files; no D-Bus, Vulkan or
    # tablets. With accessibility, the page puts an element for each control
    # beside the canvas, for screen readers.
    local host_cmake
    host_cmake=$(dirname /usr/lib/*/cmake/Qt6HostInfo)
    qt_configure -prefix "$cache" -platform wasm-emscripten -qt-host-path /usr \
        -static -release -optimize-size -nomake examples -nomake tests \
        -no-feature-thread -no-dbus "${qt_features_left_out[@]}" \
        -no-feature-vulkan -no-feature-tabletevent -feature-accessibility \
        "${qt_bundled_libraries[@]}" "${qt_build_options[@]}" \
        -- -G Ninja -DQT_HOST_PATH_CMAKE_DIR="$host_cmake"
    qt_build_and_install "$cache" "$recipe" 20
)

# The platform bundles no fonts (the patch fonts-brought-by-the-program); the
# cache keeps Qt's two in lib/fonts for a program that wants them, as the bare
# dialog of the benchmarks does.
qt_add_to_cache() {
    mkdir -p "$1/lib/fonts"
    cp "$qt_base_source"/src/3rdparty/wasm/DejaVuSans{,Mono}.ttf "$1/lib/fonts/"
}

qt_cache_is_current "$cache" "$recipe" || { qt_prepare_base_source && build_base; }
# QCustomPlot draws the capacitance search's plot.
# Optimised for size: the page is a download.
qt_build_library "$cache" qcustomplot "qcustomplot 2.1.0 static wasm Qt 6.8 MinSizeRel, recipe 1" 1 \
    "$here/../qcustomplot/patches" -DQT_CHAINLOAD_TOOLCHAIN_FILE="$here/emscripten.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel
echo "$cache"
