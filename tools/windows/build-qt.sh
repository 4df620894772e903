#!/usr/bin/env bash
# Builds a static Qt 6 for 64-bit Windows from Debian 13's own qt6-base source
# package, and QCustomPlot on it from Debian's qcustomplot source, once, into
# a cache outside the tree, with Debian 13's MinGW-w64. Later runs find it and
# return. Prints the cache's folder on its last line. Runs inside the Debian
# 13 root (tools/web/debian13.sh), whose apt entries name the sources.
#
#   tools/web/debian13.sh tools/windows/build-qt.sh   builds the cache if it is missing
#   KORINDO_QT_WIN64=/some/folder ...    puts the cache there instead of
#                                        ~/.cache/korindo/qt6.8-win64
set -eEuo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/../qt-source.sh"
cache=${KORINDO_QT_WIN64:-$HOME/.cache/korindo/qt6.8-win64}
# Raise when the configure line or the patches change, so old caches are
# rebuilt; the modules have recipes of their own below.
recipe="qt6-base 6.8.2 static win64, recipe 2"

# qt6-base, in a subshell of its own, so that its scratch folder goes when it
# ends.
build_base() (
    qt_start "$cache" "Windows"
    qt_configure -prefix "$cache" \
        -static -static-runtime -release -qt-host-path /usr \
        -nomake examples -nomake tests \
        -no-dbus -no-opengl -no-feature-vulkan "${qt_features_left_out[@]}" \
        -no-feature-tabletevent -no-feature-direct2d1_1 "${qt_bundled_libraries[@]}" "${qt_build_options[@]}" \
        -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR="$(dirname /usr/lib/*/cmake/Qt6HostInfo)"
    qt_build_and_install "$cache" "$recipe" 20
)

qt_cache_is_current "$cache" "$recipe" || { qt_prepare_base_source && build_base; }
# QCustomPlot draws the capacitance search's plot.
qt_build_library "$cache" qcustomplot "qcustomplot 2.1.0 static win64, recipe 1" 1 \
    "$here/../qcustomplot/patches" -DQT_CHAINLOAD_TOOLCHAIN_FILE="$here/mingw-w64.cmake"
echo "$cache"
