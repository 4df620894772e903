#!/usr/bin/env bash
# Runs a command inside a Debian 13 root, which holds the toolchains of the
# browser and Windows builds: Debian 13's emscripten (3.1.69) with its LLVM,
# binaryen and Node.js, MinGW-w64 (GCC 14), cmake, ninja and Qt's host tools
# of the same version as the Qt built for the page and for Windows. Debian 12 cannot install them itself. The first run
# makes the root with debootstrap from the machine's own Debian mirror and
# keeps it in a cache beside the Qt caches.
#
#   tools/web/debian13.sh COMMAND [ARGUMENT...]
#   KORINDO_DEBIAN13_ROOT=/some/folder ...     keeps the root there instead
#                                               of ~/.cache/korindo/debian13-root
#
# The command runs in the current folder, which must lie in the project's
# tree. The tree, its Git folder and the folders of the Qt caches are bound
# into the root at their own paths for the time of the command, and unbound
# afterwards however it ends.
set -eEuo pipefail

root=${KORINDO_DEBIAN13_ROOT:-$HOME/.cache/korindo/debian13-root}
tree=$(cd "$(dirname "$0")/../.." && pwd)
qt_cache=${KORINDO_QT_WASM:-$HOME/.cache/korindo/qt6.8-wasm}
# Raise when the packages change, so that an old root is made again. Qt's
# own Russian texts of the same version are built into the page.
packages=(emscripten cmake ninja-build qt6-base-dev qt6-base-dev-tools qt6-translations-l10n git
          brotli patch xz-utils g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix)
recipe="debian 13 minbase: ${packages[*]}, recipe 2"

if [[ $# -eq 0 ]]; then
    echo "usage: $0 COMMAND [ARGUMENT...]" >&2
    exit 2
fi
if [[ $(id -u) -ne 0 ]]; then
    echo "The Debian 13 root of the browser build needs root: chroot and bind mounts." >&2
    exit 1
fi

# The machine's Debian entries (deb822 or one-line) that name its own
# release, turned to Debian 13's: the same mirror, updates and security.
debian13_sources() {
    local codename file
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    shopt -s nullglob
    for file in /etc/apt/sources.list.d/*.sources; do
        grep -Eq "^Suites:.*\<$codename\>" "$file" && sed -E "s/\<$codename\>/trixie/g" "$file" && echo
    done
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [[ -f $file ]] && sed -nE "/^deb[[:space:]].*[[:space:]]$codename([-[:alnum:]]*)?[[:space:]]/{s/\<$codename\>/trixie/;p}" "$file"
    done
    shopt -u nullglob
}

# The first mirror among those entries that serves Debian's main archive.
debian_mirror() {
    debian13_sources | sed -nE 's/^URIs:[[:space:]]*//p; s/^deb[[:space:]]+(\[[^]]*\][[:space:]]+)?([^[:space:]]+)[[:space:]]+trixie[[:space:]].*/\2/p' \
        | grep -v security | head -1
}

mounted=()
unmount_all() {
    local index
    for ((index = ${#mounted[@]} - 1; index >= 0; --index)); do
        umount -R "${mounted[index]}" 2> /dev/null || umount -R -l "${mounted[index]}" || true
    done
    mounted=()
}
# bind SOURCE INSIDE [ro]: SOURCE seen at INSIDE in the root being used,
# without the mounts beneath it (the cache folder holds the root itself).
bind() {
    mkdir -p "$2"
    mount --bind "$1" "$2"
    mounted+=("$2")
    if [[ ${3:-} == ro ]]; then
        mount -o remount,bind,ro "$2"
    fi
}
# The kernel's view that programs inside the root rely on.
bind_system() {
    mkdir -p "$1/proc" "$1/dev"
    mount -t proc proc "$1/proc"
    mounted+=("$1/proc")
    mount --rbind /dev "$1/dev"
    mount --make-rslave "$1/dev"
    mounted+=("$1/dev")
}

make_root() {
    local scratch mirror
    command -v debootstrap > /dev/null || "$tree/tools/install-deps.sh" debootstrap
    mirror=$(debian_mirror)
    [[ -n $mirror ]] || { echo "No Debian mirror in /etc/apt to make the Debian 13 root from." >&2; exit 1; }
    mkdir -p "$(dirname "$root")"
    scratch=$(mktemp -d "$(dirname "$root")/.debian13-root.XXXXXX")
    chmod 755 "$scratch" # apt downloads as its own user
    trap 'unmount_all; rm -rf --one-file-system "$scratch"' EXIT
    echo "== making the Debian 13 root from $mirror (a few minutes)"
    debootstrap --variant=minbase trixie "$scratch" "$mirror" > "$scratch.log" 2>&1 \
        || { tail -20 "$scratch.log" >&2; rm -f "$scratch.log"; false; }
    rm -f "$scratch.log"
    # The machine's own entries, updates and security among them; deb822
    # ones and one-line ones each in a file of their kind.
    local entries
    entries=$(debian13_sources)
    rm -f "$scratch/etc/apt/sources.list"
    if grep -q '^Types:' <<< "$entries"; then
        echo "$entries" > "$scratch/etc/apt/sources.list.d/debian.sources"
    else
        echo "$entries" > "$scratch/etc/apt/sources.list"
    fi
    cp /etc/resolv.conf "$scratch/etc/resolv.conf" 2> /dev/null || true
    bind_system "$scratch"
    echo "== installing ${packages[*]} into it"
    chroot "$scratch" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive \
        sh -c 'apt-get -qq update && apt-get -qq install -y --no-install-recommends "$@" > /dev/null && apt-get clean' \
        sh "${packages[@]}"
    unmount_all
    echo "$recipe" > "$scratch/korindo-recipe.txt"
    rm -rf --one-file-system "$root"
    mv "$scratch" "$root"
    trap - EXIT
}

[[ -f $root/korindo-recipe.txt && "$(cat "$root/korindo-recipe.txt")" == "$recipe" ]] || make_root

case $PWD/ in
    "$tree"/*) ;;
    *) echo "$0: run it from inside $tree" >&2; exit 1 ;;
esac
trap unmount_all EXIT
bind_system "$root"
bind "$tree" "$root$tree"
# A worktree's Git folder lies outside the tree; git archive reads it.
git_folder=$(git -C "$tree" rev-parse --path-format=absolute --git-common-dir 2> /dev/null || true)
if [[ -n $git_folder && $git_folder != "$tree"/* ]]; then
    bind "$git_folder" "$root$git_folder" ro
fi
# The folders of the caches that the builds inside fill: the Qt for the page,
# the Qt for Windows and the source they share.
# Inside, HOME is the root's own: the scripts there are told the caches'
# paths as they are here, so that they fill the folders bound in.
export KORINDO_QT_WASM=$qt_cache
export KORINDO_QT_WIN64=${KORINDO_QT_WIN64:-$HOME/.cache/korindo/qt6.8-win64}
export KORINDO_QT_SOURCE=${KORINDO_QT_SOURCE:-$HOME/.cache/korindo/qt6-base-source}
bound_caches=()
for cache in "$KORINDO_QT_WASM" "$KORINDO_QT_WIN64" "$KORINDO_QT_SOURCE"; do
    folder=$(dirname "$cache")
    [[ " ${bound_caches[*]} " == *" $folder "* ]] && continue
    mkdir -p "$folder"
    bind "$folder" "$root$folder"
    bound_caches+=("$folder")
done

# Only what the build needs from this environment: nothing of the machine's
# own PATH (another Node.js, another Python) leaks into the root.
environment=(HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 TERM="${TERM:-dumb}"
             NODE_PATH=/usr/share/nodejs)
while IFS= read -r variable; do
    environment+=("$variable")
done < <(env | grep -E '^(KORINDO_|CI=|MAKEFLAGS=|CMAKE_BUILD_PARALLEL_LEVEL=)' || true)
status=0
chroot "$root" /usr/bin/env -i "${environment[@]}" sh -c 'cd "$1" && shift && exec "$@"' sh "$PWD" "$@" \
    || status=$?
exit $status
