#!/usr/bin/env bash
# Makes what a Windows user downloads from a Windows build folder: the
# installer korindo-VERSION-setup.exe and the portable korindo-VERSION-win64.zip,
# each with the program, its data files and the licence texts of everything
# the program contains.   tools/windows/make-downloads.sh BUILD_FOLDER QT_FOLDER
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
qt=$2
source "$root/tools/qt-source.sh"
version=$(korindo_version "$root")
name=korindo-$version-win64
stage=$build/downloads/$name

rm -rf "$build/downloads"
mkdir -p "$stage"
cp "$build/korindo.exe" "$stage/"
cp "$root"/assets/{Icon.ICO,sch.jpg,Pointer.cur,L.jpg,P.txt} "$stage/"
"$root/tools/copy-licenses.sh" "$stage" "$qt"

# The zip holds one folder, so that unpacking it makes no mess.
(cd "$build/downloads" && rm -f "$name.zip" && zip -qrX "$name.zip" "$name")

# The installer's lists of files, to install and to remove again.
files=$build/downloads/files.nsh
remove=$build/downloads/remove.nsh
windows_path() { local path=${1#.}; echo "\$INSTDIR${path//\//\\}"; }
: > "$files"
(cd "$stage" && find . -type f | sort) | while read -r file; do
    echo "SetOutPath \"$(windows_path "$(dirname "$file")")\"" >> "$files"
    echo "File \"$stage${file#.}\"" >> "$files"
    echo "Delete \"$(windows_path "$file")\""
done > "$remove"
# Folders deepest first, so each is empty when it is removed.
(cd "$stage" && find . -mindepth 1 -type d | sort -r) | while read -r dir; do
    echo "RMDir \"$(windows_path "$dir")\""
done >> "$remove"

makensis -V2 -INPUTCHARSET UTF8 \
    -DSTAGE="$stage" -DFILES="$files" -DREMOVE="$remove" -DICON="$root/assets/Icon.ICO" \
    -DVERSION="$version" -DOUTFILE="$build/downloads/korindo-$version-setup.exe" \
    "$root/packaging/windows/installer.nsi"
ls -l "$build/downloads/korindo-$version-setup.exe" "$build/downloads/$name.zip"
