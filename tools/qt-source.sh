# Sourced by tools/windows/build-qt.sh and tools/web/build-qt.sh, which build
# a static Qt from Debian's own source packages (qt6-base, then the further
# libraries built on it that the program links, each once) into a cache
# outside the tree; also by the other scripts of those builds for the few
# lines they share (the program's version, an X server for Wine).
#
# Each builds in a scratch folder beside its cache. qt6-base is moved into
# place only when every step has succeeded, so a half-built Qt is never
# found; a further library is copied into the cache beside it, and its stamp
# written last. The cache holds a stamp with the recipe each part was built
# by; a changed recipe builds that part again, and a rebuilt qt6-base every
# library too.

# What both static builds of qt6-base leave out of Qt, read off the summary
# of configure as what nothing of the program links: no network, SQL,
# printing, Qt Concurrent or XML; no built-in MIME database (file dialogs
# filter by name), no ODF or Markdown texts, no session management, no
# tester for item models. Then the third-party libraries they take from Qt's
# own copies rather than the machine's, and how both build: unity builds,
# without a software bill of materials, which halves their time.
qt_features_left_out=(-no-feature-sql -no-feature-network -no-feature-printsupport
                      -no-feature-concurrent -no-feature-xml
                      -no-feature-mimetype-database -no-feature-textodfwriter
                      -no-feature-textmarkdownreader -no-feature-textmarkdownwriter
                      -no-feature-sessionmanager -no-feature-itemmodeltester)
qt_bundled_libraries=(-qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre
                      -qt-doubleconversion -no-icu -no-fontconfig)
qt_build_options=(-unity-build -no-sbom)

# korindo_version ROOT: the program's version, as the project in
# ROOT/CMakeLists.txt gives it.
korindo_version() {
    sed -nE 's/^project\(Korindo VERSION ([0-9.]+).*/\1/p' "$1/CMakeLists.txt"
}

# start_xvfb NUMBER: an X server of its own for the programs under Wine, on
# display :NUMBER unless KORINDO_XVFB_DISPLAY names another; it and the Wine
# server stop when the script ends.
start_xvfb() {
    export DISPLAY=:${KORINDO_XVFB_DISPLAY:-$1}
    Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2> /dev/null; wineserver -k 2> /dev/null || true' EXIT
    sleep 1
}

# qt_cache_is_current CACHE RECIPE: whether CACHE was built by RECIPE.
# qt_cache_is_current STAMP RECIPE: the same with a part's own stamp file.
qt_cache_is_current() {
    local stamp=$1
    [[ -d $stamp ]] && stamp=$stamp/korindo-recipe.txt
    [[ -f $stamp && "$(cat "$stamp")" == "$2" ]]
}

# qt_start CACHE WHAT: makes the scratch folder ($scratch) and goes into it;
# a failing step then says which it was ($step) and that nothing was left.
qt_start() {
    qt_what=$2
    step="preparing"
    trap 'echo "Building Qt for $qt_what failed while $step; no cache was left behind." >&2' ERR
    mkdir -p "$(dirname "$1")"
    scratch=$(mktemp -d "$(dirname "$1")/.qt-build.XXXXXX")
    trap 'rm -rf "$scratch"' EXIT
    cd "$scratch"
    qt_started=$SECONDS
}

# qt_say_time WHAT: how long the step begun by qt_start took, for CI's log:
# "== WHAT in N min S s".
qt_say_time() {
    local took=$((SECONDS - qt_started))
    echo "== $1 in $((took / 60)) min $((took % 60)) s"
}

# qt_fetch_source [PACKAGE]: Debian's source of PACKAGE (qt6-base unless
# named) in $scratch/source, with Debian's patches applied.
qt_fetch_source() {
    local package=${1:-qt6-base}
    step="fetching Debian's $package source"
    echo "== $step"
    # A private apt set-up that knows only source entries copied from the
    # machine's own Debian entries, so the machine's apt state is left alone.
    local apt=$scratch/apt file patch
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
    local apt_options=(-o "Dir::Etc::SourceParts=$apt/sources.list.d" -o "Dir::Etc::SourceList=$apt/sources.list"
                       -o "Dir::State::Lists=$apt/lists" -o APT::Sandbox::User=root)
    apt-get "${apt_options[@]}" -qq update
    apt-get "${apt_options[@]}" -qq source --download-only "$package"

    step="unpacking the source"
    echo "== $step"
    mkdir source
    tar -xf "$package"_*.orig.tar.* -C source --strip-components=1
    tar -xf "$package"_*.debian.tar.* -C source

    step="applying Debian's patches"
    echo "== $step"
    # Left out: cross.patch is for Debian's own cross builds of its packages,
    # and force_shared_libzstd.patch prefers a shared zstd, while these builds
    # are static and have no zstd at all. Everything else (the security fixes
    # among them) applies to the upstream tree.
    local skipped=" cross.patch force_shared_libzstd.patch "
    while read -r patch; do
        [[ -z $patch || $patch == \#* || $skipped == *" $patch "* ]] && continue
        echo "   $patch"
        patch -d source -p1 -s --forward < "source/debian/patches/$patch"
    done < <(cat source/debian/patches/series 2> /dev/null)
}

# The one unpacked qt6-base source that both static builds compile from, out
# of its tree: Debian's source with Debian's patches and the page's own. The
# page's patches touch only the WebAssembly platform and its CMake helpers,
# which the Windows build never compiles, so a change to them unpacks the
# source again without making the Windows build's Qt stale.
qt_base_source=${KORINDO_QT_SOURCE:-$HOME/.cache/korindo/qt6-base-source}
qt_page_patches=$(cd "$(dirname "${BASH_SOURCE[0]}")/web/patches" && pwd)

# qt_prepare_base_source: makes $qt_base_source unless it already holds the
# source with the patches of today's tree. Waits while another build makes it.
qt_prepare_base_source() (
    set -eEuo pipefail
    local recipe
    recipe="qt6-base source from Debian, page patches $(cat "$qt_page_patches"/*.patch | sha256sum | cut -c1-16)"
    mkdir -p "$(dirname "$qt_base_source")"
    exec 9> "$qt_base_source.lock"
    flock 9
    qt_cache_is_current "$qt_base_source" "$recipe" && exit 0
    qt_start "$qt_base_source" "the shared source"
    qt_fetch_source
    step="applying the patches of the page's Qt"
    echo "== $step"
    qt_apply_patches "$qt_page_patches"
    echo "$recipe" > source/korindo-recipe.txt
    rm -rf "$qt_base_source"
    mv source "$qt_base_source"
    qt_say_time "The source of qt6-base fetched and unpacked"
)

# qt_apply_patches FOLDER: the patches in FOLDER, on $scratch/source.
qt_apply_patches() {
    local patch
    for patch in "$1"/*.patch; do
        echo "   $(basename "$patch")"
        patch -d source -p1 -s --forward < "$patch"
    done
}

# qt_configure ARGUMENT...: runs Qt's configure on the shared source in
# $scratch/build, its output in a log that is shown only when it fails. The
# cache keeps Qt's summary of what was configured, config.summary.
qt_configure() {
    step="configuring Qt"
    echo "== $step"
    mkdir "$scratch/build"
    cd "$scratch/build"
    "$qt_base_source/configure" "$@" > "$scratch/configure.log" 2>&1 \
        || { tail -40 "$scratch/configure.log" >&2; false; }
}

# qt_build_and_install CACHE RECIPE MINUTES: builds, installs into the scratch
# folder with the licence texts and the stamp, and moves the tree into place.
# A recipe that defines qt_add_to_cache FOLDER adds its own files before the
# stamp is written.
qt_build_and_install() {
    local cache=$1 recipe=$2
    step="building Qt"
    echo "== $step (about $3 minutes on two cores)"
    cmake --build . --parallel > "$scratch/build.log" 2>&1 || { tail -40 "$scratch/build.log" >&2; false; }

    step="installing Qt into the scratch folder"
    echo "== $step"
    DESTDIR="$scratch/staged" cmake --install . > /dev/null
    # The licence texts of Qt and of the third-party code linked into it, for
    # the downloads to carry.
    mkdir -p "$scratch/staged$cache/licenses/3rdparty"
    cp "$qt_base_source"/LICENSES/* "$scratch/staged$cache/licenses/"
    (cd "$qt_base_source/src/3rdparty" &&
        find . -maxdepth 2 \( -iname '*licen[cs]e*' -o -name 'COPYING*' -o -name 'COPYRIGHT*' \
            -o -name qt_attribution.json \) \
            -exec cp --parents {} "$scratch/staged$cache/licenses/3rdparty/" \;)
    cp config.summary "$scratch/staged$cache/"
    if declare -F qt_add_to_cache > /dev/null; then qt_add_to_cache "$scratch/staged$cache"; fi
    echo "$recipe" > "$scratch/staged$cache/korindo-recipe.txt"

    step="moving the finished Qt into place"
    rm -rf "$cache"
    mv "$scratch/staged$cache" "$cache"
    qt_say_time "Qt for $qt_what built"
}

# qt_build_library CACHE PACKAGE RECIPE MINUTES PATCHES [CMAKE ARGUMENT...]:
# builds Debian's source of a further library, with Debian's patches and
# those in the folder PATCHES, against the Qt in CACHE, and installs it
# there, unless its stamp says RECIPE already. Runs in a subshell of its own,
# so that its scratch folder goes when it ends.
qt_build_library() (
    set -eEuo pipefail
    local cache=$1 package=$2 recipe=$3 minutes=$4 patches=$5
    shift 5
    local stamp=$cache/korindo-recipe-$package.txt
    qt_cache_is_current "$stamp" "$recipe" && exit 0
    qt_start "$cache" "$package"
    qt_fetch_source "$package"
    qt_apply_patches "$patches"

    step="configuring $package"
    echo "== $step"
    "$cache/bin/qt-cmake" -S source -B build -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$cache" "$@" > "$scratch/configure.log" 2>&1 \
        || { tail -40 "$scratch/configure.log" >&2; false; }

    step="building $package"
    echo "== $step (about $minutes minutes on two cores)"
    cmake --build build --parallel > "$scratch/build.log" 2>&1 \
        || { tail -40 "$scratch/build.log" >&2; false; }

    step="installing $package into the cache"
    echo "== $step"
    DESTDIR="$scratch/staged" cmake --install build > /dev/null
    mkdir -p "$scratch/staged$cache/licenses/$package"
    find source -maxdepth 1 \( -iname 'licen[cs]e*' -o -iname 'copying*' -o -name 'GPL*.txt' \) \
        -exec cp {} "$scratch/staged$cache/licenses/$package/" \;
    rm -f "$stamp"
    cp -a "$scratch/staged$cache/." "$cache/"
    echo "$recipe" > "$stamp"
    qt_say_time "$package for Qt built"
)
