#!/usr/bin/env bash
# Builds a static Qt 6 for 64-bit Windows from Debian's own qt6-base source
# package, once, into a cache outside the tree. Later runs find it and return.
#
#   tools/windows/build-qt.sh            builds the cache if it is missing
#   KORINDO_QT_WIN64=/some/folder ...    puts the cache there instead of
#                                        ~/.cache/korindo/qt6-win64-static
#
# It builds in a scratch folder beside the cache and moves the installed tree
# into place only when every step has succeeded, so a half-built Qt is never
# found. Prints the cache's folder on its last line.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
cache=${KORINDO_QT_WIN64:-$HOME/.cache/korindo/qt6-win64-static}
# Raise when the configure line or the patches change, so old caches are rebuilt.
recipe="qt6-base 6.4.2 static win64, recipe 1"
stamp=$cache/korindo-recipe.txt

if [[ -f $stamp && "$(cat "$stamp")" == "$recipe" ]]; then
    echo "$cache"
    exit 0
fi

step="preparing"
fail() { echo "Building Qt for Windows failed while $step; no cache was left behind." >&2; }
trap fail ERR

mkdir -p "$(dirname "$cache")"
scratch=$(mktemp -d "$(dirname "$cache")/.qt-build.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"

step="fetching Debian's qt6-base source"
echo "== $step"
# A private apt set-up that knows only source entries copied from the
# machine's own Debian entries, so the machine's apt state is left alone.
apt=$scratch/apt
mkdir -p "$apt/sources.list.d" "$apt/lists/partial"
touch "$apt/sources.list"
shopt -s nullglob
for file in /etc/apt/sources.list.d/*.sources; do
    sed -E 's/^Types:.*/Types: deb-src/' "$file" > "$apt/sources.list.d/$(basename "$file")"
done
for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [[ -f $file ]] && sed -nE 's/^deb[[:space:]]/deb-src /p' "$file" >> "$apt/sources.list"
done
shopt -u nullglob
apt_options=(-o "Dir::Etc::SourceParts=$apt/sources.list.d" -o "Dir::Etc::SourceList=$apt/sources.list"
             -o "Dir::State::Lists=$apt/lists" -o APT::Sandbox::User=root)
apt-get "${apt_options[@]}" -qq update
apt-get "${apt_options[@]}" -qq source --download-only qt6-base

step="unpacking the source"
echo "== $step"
mkdir source
tar -xf qt6-base_*.orig.tar.* -C source --strip-components=1
tar -xf qt6-base_*.debian.tar.* -C source

step="applying Debian's patches"
echo "== $step"
# Left out: cross.patch is for Debian's own cross builds of its packages, and
# force_shared_libzstd.patch prefers a shared zstd, while this build is static
# and has no zstd at all. Everything else (the security fixes among them)
# applies to the upstream tree.
skipped=" cross.patch force_shared_libzstd.patch "
while read -r patch; do
    [[ -z $patch || $patch == \#* || $skipped == *" $patch "* ]] && continue
    echo "   $patch"
    patch -d source -p1 -s --forward < "source/debian/patches/$patch"
done < source/debian/patches/series

step="configuring Qt"
echo "== $step"
host_cmake_dir=/usr/lib/$(gcc -dumpmachine)/cmake
mkdir build
cd build
../source/configure -prefix "$cache" \
    -static -static-runtime -release -qt-host-path /usr \
    -nomake examples -nomake tests \
    -no-dbus -no-opengl -no-feature-vulkan -no-feature-sql -no-feature-network \
    -no-feature-printsupport -no-feature-concurrent -no-feature-xml \
    -no-feature-tabletevent -no-feature-direct2d1_1 \
    -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre \
    -qt-doubleconversion -no-icu -no-fontconfig \
    -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" > "$scratch/configure.log" 2>&1 \
    || { tail -40 "$scratch/configure.log" >&2; false; }

step="building Qt"
echo "== $step (about 20 minutes on two cores)"
cmake --build . --parallel > "$scratch/build.log" 2>&1 || { tail -40 "$scratch/build.log" >&2; false; }

step="installing Qt into the scratch folder"
echo "== $step"
DESTDIR="$scratch/staged" cmake --install . > /dev/null
# The licence texts of Qt and of the third-party code linked into it, for
# the Windows downloads to carry.
mkdir -p "$scratch/staged$cache/licenses/3rdparty"
cp ../source/LICENSES/* "$scratch/staged$cache/licenses/"
(cd ../source/src/3rdparty &&
    find . -maxdepth 2 \( -iname '*licen[cs]e*' -o -name 'COPYING*' -o -name 'COPYRIGHT*' \
        -o -name qt_attribution.json \) \
        -exec cp --parents {} "$scratch/staged$cache/licenses/3rdparty/" \;)
echo "$recipe" > "$scratch/staged$cache/korindo-recipe.txt"

step="moving the finished Qt into place"
rm -rf "$cache"
mv "$scratch/staged$cache" "$cache"
echo "$cache"
